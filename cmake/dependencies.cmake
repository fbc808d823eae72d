# The system libraries the subsystems link, found once for the main build and
# for the fuzz build, which compiles the same subsystems.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(TIFF REQUIRED)
find_package(GIF REQUIRED)
find_package(LibXml2 REQUIRED)
# The print system: libcups (queues, jobs, the raster writer and reader),
# libcupsimage (the raster library's own name on older systems) and cairo
# (PDF documents).
find_package(Cups REQUIRED)
find_library(TAV_CUPSIMAGE_LIBRARY cupsimage REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo cairo-pdf)
