#include "civ/civ.h"

#include <gtest/gtest.h>

TEST(Civ, Placeholder) { EXPECT_EQ(civ::FrameText(civ::SpeechFrame()), "FEFE34E01300FD"); }
