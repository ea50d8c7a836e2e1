#pragma once

#include <QString>

class QWidget;

namespace platform {

// The platform's file-open dialog. The filter is given as description and pattern separated by
// a vertical bar ("Saved Games (*.sav)|*.sav"). Returns the chosen path, or an empty string on
// Cancel; the dialog is modal and the game's timers keep running while it is open.
class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual QString showOpen(QWidget* parent, const QString& title, const QString& filter) = 0;
};

class QtFileDialog final : public FileDialog {
  public:
    QString showOpen(QWidget* parent, const QString& title, const QString& filter) override;
};

// "Saved Games (*.sav)|*.sav|All|*.*" in the form Qt's dialogs take: "Saved Games (*.sav)" and
// "All (*.*)", each listing the files its patterns match.
QString toQtFilter(const QString& filter);

}  // namespace platform
