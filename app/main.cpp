// Program entry: one instance only, then the windows in their order and the message loop.
#include <QLocale>
#include <QScreen>
#include <cstdlib>
#include <string_view>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/exit_form.h"
#include "app/main_form.h"
#include "base/file_save.h"
#include "base/instance_lock.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/std_option_form.h"
#include "stations/data_form.h"
#include "stations/delete_form.h"
#include "ui/language_qt.h"

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  // A second copy ends at once, silently, before any window exists.
  InstanceLock instance;
  if (instance.Acquire(InstanceLock::DefaultPath("SampleMutex"), 10000) !=
      InstanceLock::Result::Acquired)
    return 0;

  // The station list and the scan log live in the data folder: `--data DIR` names one for
  // this run, as FENNIX_DATA does.
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string_view(argv[i]) == "--data") setenv("FENNIX_DATA", argv[i + 1], 1);
  EnterDataFolder();

  FennixApplication app(argc, argv);

  // The language first: every window takes its texts when it is built.
  {
    IniFile ini;
    ini.Load(SettingsPath());
    LanguageSettings language;
    ReadLanguageSettings(ini, language);
    ui::InstallLanguage(UsesEnglish(language.Language, QLocale::system().name().toStdString()));
  }

  TMainForm mainForm;
  TComOptionForm comOptionForm(&mainForm);
  TStdOptionForm stdOptionForm(&mainForm);
  // The station list window fills its lists with the splash moving, then releases it.
  TDataForm dataForm(
      mainForm.editor, [&mainForm](int position) { mainForm.SplashProgress(position); },
      [&mainForm] { mainForm.ReleaseSplash(); }, &mainForm);
  TDeleteForm deleteForm(&dataForm);
  dataForm.DeleteForm = &deleteForm;
  TExitForm exitForm(&mainForm);
  mainForm.AttachForms({&comOptionForm, &stdOptionForm, &dataForm, &deleteForm, &exitForm});

  mainForm.adjustSize();
  if (const QScreen* screen = mainForm.screen())
    mainForm.move(screen->availableGeometry().center() - mainForm.rect().center());
  mainForm.show();
  // Ask for the focus too: without a window manager (a bare X server) nothing else would
  // activate the panel, and its first full drawing waits for that.
  mainForm.activateWindow();
  const int result = app.exec();
  instance.Release();
  return result;
}
