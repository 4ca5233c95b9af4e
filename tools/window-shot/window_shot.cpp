// Saves pictures of the main window for the README: starts the window with the given settings
// file (its last file is loaded), selects each named view and grabs the screen. A shot that
// names a control also clicks it and grabs the dialog it opens over the view, then cancels it.
// A control named like a menu item ("mnuPortDevice") is a menu item that opens a dialog.
// "?NAME" shows the tooltip of control NAME over the window; "#NAME" takes control NAME alone.
// With --compare FILE the window compares its data with that file first.
// Usage: window-shot [--compare FILE] SETTINGS.ini OUTDIR [VIEW_POSITION:NAME[:CONTROL] ...]

#include "compare/compare_commands.h"
#include "files/settings_store.h"
#include "window/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <cstdio>

namespace {

// Lets the windows (and any 3-D graph) render.
void settle(int milliseconds) {
    QEventLoop wait;
    QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
    wait.exec();
}

// A left click on a button, or a press and release on a label that opens an editor.
bool click(QWidget *window, const QString &name) {
    auto *control = window->findChild<QWidget *>(name);
    if (!control)
        return false;
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->click();
        return true;
    }
    const QPointF centre = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(centre);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(control, &event);
    }
    return true;
}

QDialog *openDialog(const QWidget &window) {
    for (QDialog *dialog : window.findChildren<QDialog *>(Qt::FindDirectChildrenOnly)) {
        if (dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    QString compareWith;
    if (args.size() > 2 && args.at(1) == QStringLiteral("--compare")) {
        compareWith = args.at(2);
        args.remove(1, 2);
    }
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: window-shot SETTINGS.ini OUTDIR [POSITION:NAME[:CONTROL] ...]\n");
        return 2;
    }
    SettingsStore settings(args.at(1));
    const QDir out(args.at(2));
    MainWindow window(settings);
    window.show();
    if (!compareWith.isEmpty() && !window.compare().compareWithPath(compareWith)) {
        std::fprintf(stderr, "cannot compare with %s\n", qPrintable(compareWith));
        return 1;
    }

    QStringList shots = args.mid(3);
    if (shots.isEmpty())
        shots << QStringLiteral("0:main-window");
    int failures = 0;
    for (const QString &shot : shots) {
        const int position = shot.section(QLatin1Char(':'), 0, 0).toInt();
        const QString name = shot.section(QLatin1Char(':'), 1, 1);
        const QString control = shot.section(QLatin1Char(':'), 2);
        window.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(position);
        window.selectView(static_cast<ViewPosition>(position));
        settle(1500);
        QRect frame = window.frameGeometry();
        const auto save = [&](const QRect &area) {
            const QPixmap picture =
                window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            if (!picture.save(out.filePath(name + QStringLiteral(".png")))) {
                std::fprintf(stderr, "cannot save %s\n", qPrintable(name));
                ++failures;
            }
        };
        if (control.startsWith(QLatin1Char('?')) || control.startsWith(QLatin1Char('#'))) {
            auto *target = window.findChild<QWidget *>(control.mid(1));
            if (!target) {
                std::fprintf(stderr, "no control %s\n", qPrintable(control.mid(1)));
                ++failures;
                continue;
            }
            if (control.startsWith(QLatin1Char('#'))) {
                save(QRect(target->mapToGlobal(QPoint()), target->size()));
                continue;
            }
            QToolTip::showText(target->mapToGlobal(target->rect().center()), target->toolTip(),
                               target);
            settle(700);
            save(frame);
            QToolTip::hideText();
            continue;
        }
        // A menu item opens a dialog that runs its own event loop: the picture is taken from
        // within it, and the dialog closed.
        if (auto *item = window.findChild<QAction *>(control); item && !control.isEmpty()) {
            QTimer::singleShot(0, item, &QAction::trigger);
            QTimer::singleShot(1500, &window, [&] {
                QDialog *shown = openDialog(window);
                if (!shown) {
                    std::fprintf(stderr, "%s opens no dialog\n", qPrintable(control));
                    ++failures;
                    return;
                }
                save(frame | shown->frameGeometry());
                shown->reject();
            });
            settle(2500);
            continue;
        }
        QDialog *dialog = nullptr;
        if (!control.isEmpty()) {
            if (!click(&window, control) || !(dialog = openDialog(window))) {
                std::fprintf(stderr, "%s opens no dialog\n", qPrintable(control));
                ++failures;
                continue;
            }
            settle(700);
            // The dialog is a window of its own: the picture covers both.
            frame |= dialog->frameGeometry();
        }
        save(frame);
        if (dialog) {
            click(dialog, QStringLiteral("Command2"));
            settle(100);
        }
    }
    return failures == 0 ? 0 : 1;
}
