// The desktop's notification area through QSystemTrayIcon. Qt reports one
// signal per action, so each becomes the press and release it stands for:
// a left click (Trigger) a left press and release, a double click the
// double-click press and its release.
#include "skin/forms/tray/TrayIcon.h"

#include <QSystemTrayIcon>

namespace {

class TqvQtTrayBackend : public TqvTrayBackend {
public:
    bool Available() override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    bool Notify(unsigned Message, const TqvNotifyIconData& Data) override {
        if (!Available()) return false;
        switch (Message) {
        case NIM_ADD:
            Ensure();
            Apply(Data);
            FIcon->show();
            return true;
        case NIM_MODIFY:
            if (!FIcon || !FIcon->isVisible()) return false;
            Apply(Data);
            // A balloon cannot be taken back here; an empty one is simply not shown.
            if ((Data.Flags & NIF_INFO) && !Data.Info.isEmpty())
                FIcon->showMessage(Data.InfoTitle, Data.Info, MessageIcon(Data.InfoFlags));
            return true;
        case NIM_DELETE:
            if (!FIcon || !FIcon->isVisible()) return false;
            FIcon->hide();
            return true;
        default: return false;
        }
    }

private:
    static QSystemTrayIcon::MessageIcon MessageIcon(unsigned Flags) {
        switch (Flags) {
        case NIIF_INFO: return QSystemTrayIcon::Information;
        case NIIF_WARNING: return QSystemTrayIcon::Warning;
        case NIIF_ERROR: return QSystemTrayIcon::Critical;
        default: return QSystemTrayIcon::NoIcon;
        }
    }

    void Ensure() {
        if (FIcon) return;
        FIcon = std::make_unique<QSystemTrayIcon>();
        QObject::connect(FIcon.get(), &QSystemTrayIcon::activated, FIcon.get(),
                         [this](QSystemTrayIcon::ActivationReason R) { Activated(R); });
        QObject::connect(FIcon.get(), &QSystemTrayIcon::messageClicked, FIcon.get(),
                         [this] { Report(TRAY_BALLOONUSERCLICK); });
    }

    void Apply(const TqvNotifyIconData& Data) {
        FIcon->setIcon(Data.Icon);
        FIcon->setToolTip(Data.Tip);
    }

    void Activated(QSystemTrayIcon::ActivationReason R) {
        switch (R) {
        case QSystemTrayIcon::Trigger:
            Report(TRAY_LBUTTONDOWN);
            Report(TRAY_LBUTTONUP);
            break;
        case QSystemTrayIcon::DoubleClick:
            Report(TRAY_LBUTTONDBLCLK);
            Report(TRAY_LBUTTONUP);
            break;
        case QSystemTrayIcon::Context:
            Report(TRAY_RBUTTONDOWN);
            Report(TRAY_RBUTTONUP);
            break;
        case QSystemTrayIcon::MiddleClick:
            Report(TRAY_MBUTTONDOWN);
            Report(TRAY_MBUTTONUP);
            break;
        default: break;
        }
    }

    void Report(unsigned Code) {
        if (Callback) Callback(Code);
    }

    std::unique_ptr<QSystemTrayIcon> FIcon;
};

}  // namespace

std::unique_ptr<TqvTrayBackend> CreateQtTrayBackend() { return std::make_unique<TqvQtTrayBackend>(); }
