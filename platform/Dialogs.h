// The class library's save-picture dialog over the desktop's save dialog:
// the caller sets the filter, default extension and options, Execute asks.
#pragma once

#include "platform/Component.h"

#include <QString>
#include <QStringList>

class QFileDialog;

// The dialog options the program uses, as bits of TOpenOptions.
enum TOpenOption : unsigned {
    ofOverwritePrompt = 1u << 0,
    ofHideReadOnly = 1u << 1,
    ofExtensionDifferent = 1u << 2,  // set by Execute: the name's extension is not DefaultExt
    ofPathMustExist = 1u << 3,
    ofEnableSizing = 1u << 4,
};
using TOpenOptions = unsigned;

class TSavePictureDialog : public TComponent {
    Q_OBJECT
public:
    explicit TSavePictureDialog(QObject* AOwner = nullptr) : TComponent(AOwner) {}

    // True when the user confirmed a name; FileName then holds it.
    bool Execute();

    QString Title;
    QString Filter;  // "description|patterns|…"
    int FilterIndex = 1;  // 1-based; the user's last choice after Execute
    QString DefaultExt;  // without the dot
    QString FileName;
    QString InitialDir;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;

    // The desktop dialog while Execute runs.
    QFileDialog* Dialog() const { return FDialog; }

private:
    QFileDialog* FDialog = nullptr;
};

// The "a|b|c|d|" filter text as Qt's name filters ("a (b)"), in order.
QStringList QtNameFilters(const QString& filter);
