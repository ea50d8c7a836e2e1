#include "platform/desktop/application.h"

#include <QKeyEvent>
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "platform/input/key_codes.h"
#include "platform/widgets/display.h"
#include "platform/widgets/window.h"

namespace platform {

int virtualKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;  // Qt and the game agree on digits and capital letters
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 112 + (key - Qt::Key_F1);
    }
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return key::Ctrl;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return key::Escape;
        case Qt::Key_Space:
            return key::Space;
        case Qt::Key_PageUp:
            return key::PageUp;
        case Qt::Key_PageDown:
            return key::PageDown;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return key::Left;
        case Qt::Key_Up:
            return key::Up;
        case Qt::Key_Right:
            return key::Right;
        case Qt::Key_Down:
            return key::Down;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return 0;
    }
}

int shiftState(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

double wholeScaleFactor(double factor) {
    return std::max(1.0, std::ceil(factor - 0.5));
}

WholeScaling wholeScaling(const QProcessEnvironment& environment) {
    WholeScaling result;
    const QString policy = environment.value(QStringLiteral("QT_SCALE_FACTOR_ROUNDING_POLICY"));
    if (policy.compare(QLatin1String("PassThrough"), Qt::CaseInsensitive) == 0) {
        result.environment.emplace_back("QT_SCALE_FACTOR_ROUNDING_POLICY", "RoundPreferFloor");
    }
    // A number written back whole; its remainder goes to the game.
    auto whole = [&result](const QString& text, bool carry) -> QString {
        bool ok = false;
        const double factor = text.trimmed().toDouble(&ok);
        if (!ok || factor <= 0 || factor == std::floor(factor)) {
            return text;
        }
        const double n = wholeScaleFactor(factor);
        if (carry) {
            result.dpiScale *= factor / n;
        }
        return QString::number(n);
    };
    const QString global = environment.value(QStringLiteral("QT_SCALE_FACTOR"));
    if (!global.isEmpty()) {
        const QString rounded = whole(global, true);
        if (rounded != global) {
            result.environment.emplace_back("QT_SCALE_FACTOR", rounded.toLatin1());
        }
    }
    // "1.5" for every screen, or "name=1.5;name=2" screen by screen; only a factor for every
    // screen leaves its remainder to the game, which knows nothing of screens' names.
    const QString screens = environment.value(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    if (!screens.isEmpty()) {
        QStringList entries = screens.split(QLatin1Char(';'));
        const bool single = entries.size() == 1 && !entries.constFirst().contains(QLatin1Char('='));
        for (QString& entry : entries) {
            const qsizetype equals = entry.indexOf(QLatin1Char('='));
            entry = entry.left(equals + 1) + whole(entry.mid(equals + 1), single);
        }
        const QString rounded = entries.join(QLatin1Char(';'));
        if (rounded != screens) {
            result.environment.emplace_back("QT_SCREEN_SCALE_FACTORS", rounded.toLatin1());
        }
    }
    return result;
}

QString unreachableDisplay(const QProcessEnvironment& environment, const QString& qtMessage) {
    const QString wayland = environment.value(QStringLiteral("WAYLAND_DISPLAY"));
    const QString x11 = environment.value(QStringLiteral("DISPLAY"));
    // "Available platform plugins are: xcb, offscreen, ..."
    const QLatin1String listed("Available platform plugins are:");
    const qsizetype list = qtMessage.indexOf(listed);
    const bool waylandPlugin =
        list < 0 || qtMessage.mid(list + listed.size()).contains(QLatin1String("wayland"));
    QStringList reasons;
    if (!wayland.isEmpty()) {
        reasons
            << (waylandPlugin
                    ? QStringLiteral("the Wayland display \"%1\" cannot be reached").arg(wayland)
                    : QStringLiteral("the Wayland display \"%1\" needs Qt's Wayland platform "
                                     "plugin, which is not installed (install the package "
                                     "qt6-wayland)")
                          .arg(wayland));
    }
    if (!x11.isEmpty()) {
        reasons << QStringLiteral("the X display \"%1\" cannot be reached").arg(x11);
    } else if (!wayland.isEmpty()) {
        reasons << QStringLiteral("no X display is set (DISPLAY)");
    }
    if (reasons.isEmpty()) {
        reasons << QStringLiteral("no display can be reached");
    }
    return reasons.join(QStringLiteral(", and "));
}

void Application::useWholeScaling() {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    const WholeScaling scaling = wholeScaling(QProcessEnvironment::systemEnvironment());
    for (const auto& [name, value] : scaling.environment) {
        qputenv(name.constData(), value);
    }
    Display::setDpiScale(scaling.dpiScale);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
        QPointer<QWidget> widget = static_cast<QWidget*>(receiver);
        if (auto* window = dynamic_cast<Window*>(widget->window())) {
            if (!window->acceptsInput()) {
                return true;
            }
            if (window->keyPreview() || widget == window) {
                const auto& key = static_cast<const QKeyEvent&>(*event);
                window->keyDown(virtualKeyCode(key), shiftState(key));
                // The key may have closed the window it was typed into.
                if (widget.isNull() || !window->acceptsInput()) {
                    return true;
                }
            }
        }
    }
    return QApplication::notify(receiver, event);
}

}  // namespace platform
