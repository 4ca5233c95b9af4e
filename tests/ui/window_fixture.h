#pragma once

#include "document/calibration_document.h"
#include "files/settings_store.h"
#include "pixels.h"
#include "recording_operator.h"
#include "serial_port_entries.h"
#include "window/file_commands.h"
#include "window/main_window.h"
#include "window/transfer_commands.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The blank-separated words of the text.
inline QStringList words(const char *text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '));
}

// Deletes dialogs that closed themselves.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Closes a dialog with a key on one of its controls, or with a click on it (key 0).
inline void closeWith(QWidget *dialog, const char *control, int key) {
    QWidget *on = dialog->findChild<QWidget *>(QLatin1String(control));
    if (key == 0) {
        QTest::mouseClick(on, Qt::LeftButton);
    } else {
        on->setFocus();
        QTest::keyClick(on, static_cast<Qt::Key>(key));
    }
    flushDeletes();
}

// The image with some bytes changed: offset, value, offset, value ...
inline EcuImage withBytes(EcuImage image, const QList<int> &bytes) {
    for (qsizetype k = 0; k + 1 < bytes.size(); k += 2)
        image.setByte(bytes[k], static_cast<std::uint8_t>(bytes[k + 1]));
    return image;
}

// A main window on a settings store of its own, with a recording operator and scripted file
// dialogs, so no test ever blocks on a real modal box.
struct WindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    RecordingOperator op;
    ScriptedFileDialogs dialogs;
    FakePortList ports;
    std::unique_ptr<MainWindow> window;

    WindowFixture() {
        settings = std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("QZ3ROK.ini")));
    }

    // Makes the sample (or the given file) the stored last file.
    void storeLastFile(const QString &path, const QString &name) {
        writeLastFile(*settings, {path, path.section(QLatin1Char('/'), 0, -2), name});
    }

    QString copySample(const QString &name = QStringLiteral("SAMPLE.E2P")) {
        const QString path = dir.filePath(name);
        QFile::remove(path);
        QFile::copy(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    QString writeFile(const QString &name, const QByteArray &contents) {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            qWarning("cannot write %s", qPrintable(path));
        return path;
    }

    // Closes the window and deletes what it left.
    void close() {
        window.reset();
        flushDeletes();
    }

    // With the fixture's operator (or another), dialogs and ports, and a history of its own.
    MainWindow &start(const QString &startFile = {}, Operator *other = nullptr) {
        const WindowSeams seams{other ? other : &op, &dialogs, &ports,
                                dir.filePath(QStringLiteral("history"))};
        window = std::make_unique<MainWindow>(*settings, seams, startFile);
        window->show();
        return *window;
    }

    // A start with a copy of the sample as the stored last file.
    MainWindow &startWithSample() {
        storeLastFile(copySample(), QStringLiteral("SAMPLE.E2P"));
        return start();
    }

    // For a test class that shares one fixture: a new window on the sample, active, and an
    // operator and dialogs that forgot the last test.
    bool restartWithSample() {
        window.reset();
        op = RecordingOperator();
        dialogs = ScriptedFileDialogs();
        startWithSample();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename T = QWidget>
    T *find(QAnyStringView name) const {
        T *child = window->findChild<T *>(name.toString());
        if (!child)
            qWarning("no child named %s", qPrintable(name.toString()));
        return child;
    }
    void click(QAnyStringView name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
    void trigger(QAnyStringView name) const { find<QAction>(name)->trigger(); }
    [[nodiscard]] QString text(QAnyStringView label) const { return find<QLabel>(label)->text(); }

    // The texts of the named labels (a slider: its position).
    [[nodiscard]] QStringList texts(const char *names) const {
        QStringList out;
        for (const QString &name : words(names)) {
            const auto *slider = window->findChild<QAbstractSlider *>(name);
            out << (slider ? QString::number(slider->value()) : find<QLabel>(name)->text());
        }
        return out;
    }

    // Of the named controls (blank-separated widgets or menu items), those enabled, in the order
    // given; a name without a control stays in with a "?".
    [[nodiscard]] QString enabledAmong(const char *names) const {
        return among(names, [](const QObject *control) {
            const auto *item = qobject_cast<const QAction *>(control);
            const auto *widget = qobject_cast<const QWidget *>(control);
            return item ? item->isEnabled() : widget && widget->isEnabled();
        });
    }
    // Of the named widgets, those shown.
    [[nodiscard]] QString shownAmong(const char *names) const {
        return among(names, [](const QObject *control) {
            const auto *widget = qobject_cast<const QWidget *>(control);
            return widget && widget->isVisible();
        });
    }
    template <typename Test>
    [[nodiscard]] QString among(const char *names, Test test) const {
        QStringList out;
        for (const QString &name : words(names)) {
            const QObject *control = window->findChild<QObject *>(name);
            if (!control)
                out << name + QLatin1Char('?');
            else if (test(control))
                out << name;
        }
        return out.join(QLatin1Char(' '));
    }

    // Loads the data shown with some bytes changed (offset, value, offset, value ...), as a
    // file that held them would: decoded, clean, with the comment shown.
    void loadBytes(const QList<int> &preset) {
        CalibrationDocument &document = window->document();
        document.load(withBytes(document.image(), preset), document.loadedComment());
    }
};

// The darkest grey of the widget as drawn: text drawn at full contrast is near black, text
// drawn greyed out is not.
inline int darkest(QWidget *widget) {
    int least = 255;
    pixelsWhere(widget->grab().toImage(), [&least](int, int, QColor c) {
        least = std::min(least, qGray(c.rgb()));
        return false;
    });
    return least;
}
