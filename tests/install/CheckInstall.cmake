# Installs the build into a fresh prefix and checks the installed tree: the
# program, the help text where the program looks for it (from its own folder,
# ../share/orvane-map-editor), the manual page, the desktop entry, the
# metainfo and the icons; then runs the installed program for its version.
#   cmake -DBUILD=<build folder> -DPREFIX=<empty folder> -DHELP=<help file name> -DAPP_ID=<desktop id> -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}" RESULT_VARIABLE failed
                OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected "bin/orvane-map-editor" "share/orvane-map-editor/${HELP}" "share/man/man1/orvane-map-editor.1"
             "share/applications/${APP_ID}.desktop" "share/metainfo/${APP_ID}.metainfo.xml")
foreach(size 16 32 48 64 128 256)
  list(APPEND expected "share/icons/hicolor/${size}x${size}/apps/orvane-map-editor.png")
endforeach()
foreach(file ${expected})
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "Not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND "${PREFIX}/bin/orvane-map-editor" --version OUTPUT_VARIABLE version RESULT_VARIABLE failed)
if(failed OR NOT version MATCHES "^Orvane II Map Editor [0-9.]+\n$")
  message(FATAL_ERROR "The installed program printed \"${version}\" for --version")
endif()
file(READ "${PREFIX}/share/man/man1/orvane-map-editor.1" manual)
if(manual MATCHES "@[A-Z_]+@")
  message(FATAL_ERROR "The manual page keeps a placeholder: ${CMAKE_MATCH_0}")
endif()
# What a desktop makes of the entry and the metainfo (the validators come with
# scripts/test.sh; a build without them skips this part).
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE AND APPSTREAMCLI)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/share/applications/${APP_ID}.desktop"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "desktop-file-validate refused the desktop entry")
  endif()
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "appstreamcli refused the metainfo")
  endif()
endif()
