# The program's name, version and the names it is installed under, stated
# once: the top-level project, the core library (also when the fuzzer or a
# tool builds it on its own) and the installed files take them from here.
include_guard(GLOBAL)

set(ORVANE_VERSION "1.0")
set(ORVANE_PROGRAM_NAME "Orvane II Map Editor")
# The name the program goes by in the file system: its executable, manual page
# and icons, and its folders for the help file, the settings and the journals.
set(ORVANE_FILE_NAME "orvane-map-editor")
# The game whose cartridges the program edits, as the titles and texts name it.
set(ORVANE_GAME_TITLE "Orvane II: The Seeker's Crown")
# The help file travels beside the executable, in the build folder and when installed.
set(ORVANE_HELP_FILE "${ORVANE_PROGRAM_NAME} v${ORVANE_VERSION}.txt")
# The name the desktop entry, the metainfo and the icons are installed under.
set(ORVANE_APP_ID "example.orvane_editor.MapEditor")
set(ORVANE_ICON_NAME "${ORVANE_FILE_NAME}")
