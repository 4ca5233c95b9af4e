#pragma once

#include <QByteArray>
#include <QList>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

// Keeps the OpenGL drivers that Mesa loaded (swrast_dri.so and the like) in memory until the
// process ends. Mesa unloads its driver when the X display closes, before LeakSanitizer looks:
// the driver's own allocations would then come from an unknown module, which no suppression can
// name. Call it once a graph has been drawn.
inline void keepGlDriverLoaded() {
    QList<QByteArray> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *found) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                static_cast<QList<QByteArray> *>(found)->append(info->dlpi_name);
            return 0;
        },
        &drivers);
    for (const QByteArray &driver : drivers)
        dlopen(driver.constData(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
