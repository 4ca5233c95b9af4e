// Saves pictures of the main window for the README: starts the window with the given settings
// file (its last file is loaded), selects each named view and grabs the screen. A shot that
// names a control also clicks it and grabs the dialog it opens over the view, then cancels it.
// A control named like a menu item ("mnuPortDevice") is a menu item that opens a dialog, after
// message boxes that are answered OK, or shows something in the window itself; "mnuA+mnuB"
// triggers both; a text after it is typed into the dialog's focused text box. One named like a
// submenu ("mnuTakeFromOther") is shown open. "?NAME" shows the tooltip of control NAME over
// the window; "#NAME" takes control NAME alone. With --compare FILE the window compares its data
// with that file first; with --ecu FILE a simulated ECU that holds the file's data answers on the
// chosen port. With --screen a picture is of the whole screen, to show the window on it.
// Usage: window-shot [--compare FILE] [--ecu FILE] [--screen] SETTINGS.ini OUTDIR
//        [VIEW_POSITION:NAME[:CONTROL[:TYPED]] ...]

#include "compare/compare_commands.h"
#include "ecu_sim_runner.h"
#include "files/e2p_reader.h"
#include "files/settings_store.h"
#include "window/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <cstdio>
#include <memory>
#include <utility>

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
    QString ecuFile;
    bool wholeScreen = false;
    for (;;) {
        if (args.size() > 1 && args.at(1) == QStringLiteral("--screen")) {
            wholeScreen = true;
            args.remove(1);
            continue;
        }
        if (args.size() > 2 && args.at(1) == QStringLiteral("--compare"))
            compareWith = args.at(2);
        else if (args.size() > 2 && args.at(1) == QStringLiteral("--ecu"))
            ecuFile = args.at(2);
        else
            break;
        args.remove(1, 2);
    }
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: window-shot SETTINGS.ini OUTDIR [POSITION:NAME[:CONTROL] ...]\n");
        return 2;
    }
    SettingsStore settings(args.at(1));
    const QDir out(args.at(2));
    std::unique_ptr<EcuSimRunner> ecu;
    if (!ecuFile.isEmpty()) {
        ecu = std::make_unique<EcuSimRunner>(readE2PFile(ecuFile).image);
        settings.writeText(QStringLiteral("CommProt"),
                           QStringLiteral("COM%1").arg(readPortNo(settings)), ecu->devicePath());
    }
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
        const QString control = shot.section(QLatin1Char(':'), 2, 2);
        const QString typed = shot.section(QLatin1Char(':'), 3);
        window.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(position);
        window.selectView(static_cast<ViewPosition>(position));
        settle(1500);
        QRect frame = window.frameGeometry();
        const auto save = [&](QRect area) {
            if (wholeScreen)
                area = window.screen()->geometry();
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
        // within it, and the dialog closed. Message boxes on the way (the ignition prompts) are
        // answered OK. An item that shows no box and no dialog gives a picture of the window.
        const QString firstItem = control.section(QLatin1Char('+'), 0, 0);
        if (window.findChild<QAction *>(firstItem) && !control.isEmpty()) {
            for (const QString &itemName : control.split(QLatin1Char('+'))) {
                if (auto *item = window.findChild<QAction *>(itemName))
                    QTimer::singleShot(0, item, &QAction::trigger);
            }
            QTimer looking;
            int looks = 0;
            bool answered = false;
            bool typedIn = false;
            QObject::connect(&looking, &QTimer::timeout, &window, [&] {
                QDialog *shown = openDialog(window);
                if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                    box->button(QMessageBox::Ok)->click();
                    answered = true;
                    return;
                }
                if (shown && !std::exchange(typedIn, true)) {
                    if (auto *edit = qobject_cast<QLineEdit *>(shown->focusWidget()))
                        edit->setText(typed);
                }
                if (shown && ++looks > 5) {
                    looking.stop();
                    save(frame | shown->frameGeometry());
                    shown->reject();
                } else if (!shown && !answered && ++looks > 7) {
                    looking.stop();
                    save(window.frameGeometry());
                } else if (!shown && ++looks > 50) {
                    looking.stop();
                    std::fprintf(stderr, "%s opens no dialog\n", qPrintable(control));
                    ++failures;
                }
            });
            looking.start(200);
            while (looking.isActive())
                settle(100);
            settle(500);
            continue;
        }
        // A submenu is shown open over its menu.
        if (auto *submenu = window.findChild<QMenu *>(control); submenu && !control.isEmpty()) {
            auto *menu = qobject_cast<QMenu *>(submenu->parentWidget());
            window.menuBar()->setActiveAction(menu->menuAction());
            settle(300);
            menu->setActiveAction(submenu->menuAction());
            submenu->popup(
                menu->mapToGlobal(menu->actionGeometry(submenu->menuAction()).topRight()));
            settle(700);
            save(frame | menu->frameGeometry() | submenu->frameGeometry());
            submenu->close();
            menu->close();
            settle(100);
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
            // The picture covers the window and the dialog, wherever it stands.
            frame |= QRect(dialog->mapToGlobal(QPoint()), dialog->frameGeometry().size());
        }
        save(frame);
        if (dialog) {
            click(dialog, QStringLiteral("Command2"));
            settle(100);
        }
    }
    return failures == 0 ? 0 : 1;
}
