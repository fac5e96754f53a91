# The program's name, version and the names it is installed under, stated
# once: the top-level project, the core library (also when the fuzzer or a
# tool builds it on its own) and the installed files take them from here.
include_guard(GLOBAL)

set(ORVANE_VERSION "1.0")
set(ORVANE_PROGRAM_NAME "Orvane II Map Editor")
# The help file travels beside the executable, in the build folder and when installed.
set(ORVANE_HELP_FILE "${ORVANE_PROGRAM_NAME} v${ORVANE_VERSION}.txt")
# The name the desktop entry, the metainfo and the icons are installed under.
set(ORVANE_APP_ID "example.orvane_editor.MapEditor")
set(ORVANE_ICON_NAME "orvane-map-editor")
