// Appending whole lines to a text file that other programs may read meanwhile.
#pragma once

#include <string>
#include <string_view>

// Appends `text` (whole lines, each ending in a line feed) with one write, after a line feed
// when the file ends in a partial line; the file is made when missing and closed again, so
// nothing waits in a buffer. False with the reason in `error` when it fails.
bool AppendToFile(const std::string& path, std::string_view text, std::string& error);

// The same, and a file still empty gets `header` and a line feed first.
bool AppendWithHeader(const std::string& path, std::string_view header, std::string_view text,
                      std::string& error);
