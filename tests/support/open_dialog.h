#pragma once

#include <QApplication>
#include <QFileDialog>

namespace testing_support {

// The platform's file dialog while it is open on the screen, or null.
inline QFileDialog* openFileDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(w);
            dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

}  // namespace testing_support
