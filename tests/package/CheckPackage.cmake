# Brings the package build (configured by scripts/common.sh's
# configure_package_build) up to date, makes the Debian package from it with
# cpack (which packs the build as it finds it) and checks what apt would
# install: the files and nothing else, all under /usr, owned by root with the
# usual modes; the control fields; the dependencies dpkg-shlibdeps found and
# the ones it cannot see; the manual page and changelog compressed; the
# program stripped, without a run path and hardened. Then lintian, where it
# is installed, must report no error and no warning.
#   cmake -DBUILD=<package build> -DOUT=<folder> -DVERSION=<version> -DHELP=<help file name>
#         -DAPP_ID=<desktop id> -P CheckPackage.cmake
function(fail)
  list(JOIN ARGN "" text)
  message(FATAL_ERROR "${text}")
endfunction()

function(run output)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE failed)
  if(failed)
    list(JOIN ARGN " " command)
    fail("${command} failed (${failed}):\n${out}${err}")
  endif()
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${OUT}")
run(built "${CMAKE_COMMAND}" --build "${BUILD}")
run(packed "${CMAKE_CPACK_COMMAND}" --config "${BUILD}/CPackConfig.cmake" -B "${OUT}")
run(arch dpkg --print-architecture)
string(STRIP "${arch}" arch)
set(deb "${OUT}/orvane-map-editor_${VERSION}_${arch}.deb")
if(NOT EXISTS "${deb}")
  fail("cpack did not write ${deb}:\n${packed}")
endif()

# The control fields.
run(control dpkg-deb --field "${deb}")
foreach(field "Package: orvane-map-editor" "Version: ${VERSION}" "Architecture: ${arch}" "Section: editors"
              "Priority: optional" "Maintainer: [^\n<]+ <[^@>\n]+@[^>\n]+>" "Homepage: https://[^\n]+" "Description: [^\n]+"
              "Recommends: xdg-utils")
  if(NOT control MATCHES "(^|\n)${field}\n")
    fail("No control field \"${field}\" in:\n${control}")
  endif()
endforeach()
# The libraries the program links, with the versions dpkg-shlibdeps read, and
# the faces the windows are laid out for.
string(REGEX MATCH "\nDepends: ([^\n]*)" depends "${control}")
foreach(package libqt6widgets6 libqt6gui6 libqt6core6 libstdc\\+\\+6 libc6)
  if(NOT depends MATCHES "[ ,]${package} \\(>= [^)]+\\)")
    fail("${package} (with a version) is not among the dependencies:${depends}")
  endif()
endforeach()
if(NOT depends MATCHES "[ ,]fonts-liberation(,|$)")
  fail("fonts-liberation is not among the dependencies:${depends}")
endif()

# Every file and folder, with its owner and mode: files the install puts under
# /usr, the copyright file and changelog Debian asks for and lintian's
# overrides; nothing else.
set(expected "usr/bin/orvane-map-editor" "usr/share/orvane-map-editor/${HELP}"
             "usr/share/man/man1/orvane-map-editor.1.gz" "usr/share/applications/${APP_ID}.desktop"
             "usr/share/metainfo/${APP_ID}.metainfo.xml" "usr/share/doc/orvane-map-editor/copyright"
             "usr/share/doc/orvane-map-editor/changelog.gz" "usr/share/lintian/overrides/orvane-map-editor")
foreach(size 16 32 48 64 128 256)
  list(APPEND expected "usr/share/icons/hicolor/${size}x${size}/apps/orvane-map-editor.png")
endforeach()
run(listing dpkg-deb --contents "${deb}")
string(REPLACE "\n" ";" lines "${listing}")
set(files)
foreach(line ${lines})
  if(NOT line MATCHES "^([-d])([-rwx]+) root/root +[0-9]+ [0-9-]+ [0-9:]+ \\./(.*)$")
    fail("Not owned by root, or not a plain file or folder: ${line}")
  endif()
  set(type "${CMAKE_MATCH_1}")
  set(mode "${CMAKE_MATCH_2}")
  set(path "${CMAKE_MATCH_3}")
  if(NOT path STREQUAL "" AND NOT path MATCHES "^usr/")
    fail("Outside /usr: ${line}")
  endif()
  if(type STREQUAL "d")
    set(want "rwxr-xr-x")
  else()
    list(APPEND files "${path}")
    set(want "rw-r--r--")
    if(path STREQUAL "usr/bin/orvane-map-editor")
      set(want "rwxr-xr-x")
    endif()
  endif()
  if(NOT mode STREQUAL want)
    fail("Mode ${mode} instead of ${want}: ${line}")
  endif()
endforeach()
list(SORT files)
list(SORT expected)
if(NOT files STREQUAL expected)
  fail("The package holds:\n  ${files}\ninstead of:\n  ${expected}")
endif()

# What is inside: compressed texts (the manual page naming the help text where
# the package puts it, the changelog's latest entry this version), and a
# stripped program without a run path that runs.
set(root "${OUT}/root")
run(unpacked dpkg-deb --extract "${deb}" "${root}")
run(manual gzip --decompress --stdout "${root}/usr/share/man/man1/orvane-map-editor.1.gz")
if(NOT manual MATCHES "\n\\.I /usr/share/orvane-map-editor/${HELP}\n")
  fail("The manual page does not name /usr/share/orvane-map-editor/${HELP}")
endif()
run(changelog gzip --decompress --stdout "${root}/usr/share/doc/orvane-map-editor/changelog.gz")
if(NOT changelog MATCHES "^orvane-map-editor \\(${VERSION}\\) ")
  fail("The changelog does not start with version ${VERSION}")
endif()
run(sections readelf --sections --wide "${root}/usr/bin/orvane-map-editor")
if(sections MATCHES "\\.symtab|\\.debug_")
  fail("The program is not stripped")
endif()
run(dynamic readelf --dynamic --wide "${root}/usr/bin/orvane-map-editor")
if(dynamic MATCHES "RPATH|RUNPATH")
  fail("The program has a run path")
endif()
if(NOT dynamic MATCHES "BIND_NOW")
  fail("The program is not linked with bind-now (Debian's hardening flags)")
endif()
run(version "${root}/usr/bin/orvane-map-editor" --version)
if(NOT version MATCHES "^Orvane II Map Editor ${VERSION}\n$")
  fail("The packaged program printed \"${version}\" for --version")
endif()

find_program(LINTIAN lintian)
if(LINTIAN)
  execute_process(COMMAND "${LINTIAN}" --display-info --fail-on error,warning "${deb}" OUTPUT_VARIABLE tags
                  ERROR_VARIABLE tags RESULT_VARIABLE failed)
  message("lintian:\n${tags}")
  if(failed)
    fail("lintian reported errors or warnings")
  endif()
else()
  message("lintian is not installed; the package was not checked against Debian's policy")
endif()
