#pragma once

#include "files/settings_store.h"
#include "main/main_window.h"
#include "recording_operator.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A main window on a settings store of its own, with a recording operator and scripted file
// dialogs, so no test ever blocks on a real modal box.
struct WindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    RecordingOperator op;
    ScriptedFileDialogs dialogs;
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

    MainWindow &start() {
        window = std::make_unique<MainWindow>(*settings, &op, &dialogs);
        window->show();
        return *window;
    }

    template <typename T = QWidget>
    T *find(const QString &name) const {
        T *child = window->findChild<T *>(name);
        if (!child)
            qWarning("no child named %s", qPrintable(name));
        return child;
    }

    void choose(const QString &path) {
        dialogs.choices.push_back(FileChoice{path, path.section(QLatin1Char('/'), -1)});
    }
};

// Deletes dialogs that closed themselves.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
