// Part of the program only in a sanitizer build.
//
// LeakSanitizer looks at the very end, after the X display has closed and Mesa has unloaded its
// OpenGL driver: the driver's own allocations then come from an unknown module that no
// suppression can name, and a clean quit would count as a leak. The driver stays loaded.

#include "app/keep_gl_driver_loaded.h"

#include <QCoreApplication>

namespace {

void keepGlDriverLoadedAtQuit() {
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { keepGlDriverLoaded(); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(keepGlDriverLoadedAtQuit)
