#include "app/mainwindow/Startup.h"

#include "app/about/AboutForm.h"
#include "app/legacy/LegacySettingsForm.h"
#include "app/mainwindow/MainWindow.h"
#include "app/options/OptionsForm.h"
#include "app/settings/SettingsFile.h"
#include "platform/Application.h"

#include <sys/resource.h>

namespace app {

namespace {

settings::TSettingsErrors* gErrors = nullptr;
std::shared_ptr<TAppDialogs> gDialogs;

}  // namespace

settings::TSettingsErrors* StartupErrors() { return gErrors; }
std::shared_ptr<TAppDialogs> StartupDialogs() { return gDialogs; }

void RaiseOpenFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max) return;
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

TForm1* StartApplication(std::shared_ptr<TAppDialogs> dialogs) {
    TApplication* application = Application();
    application->SetTitle(QStringLiteral("Quorvelia"));
    application->SetHelpFile(QStringLiteral("help.chm"));
    settings::TSettingsErrors errors;
    gErrors = &errors;
    gDialogs = std::move(dialogs);
    struct TEnd {
        ~TEnd() {
            gErrors = nullptr;
            gDialogs.reset();
        }
    } end;
    application->CreateForm(Form1);
    application->CreateForm(Form2);
    application->CreateForm(Form5);
    errors.Add(Form5->LoadError());
    application->CreateForm(Form6);
    Form1->StartupErrors = nullptr;
    // Going on with the values in memory beats a window without its lists.
    if (!errors.Empty()) application->ShowException(errors.Text());
    return Form1;
}

}  // namespace app
