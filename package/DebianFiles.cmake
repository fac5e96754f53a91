# Run by cpack once the install is staged and before it is packed: adds what
# Debian asks of every package and a plain install does not put there, as
# debhelper would.
# - /usr/share/doc/orvane-map-editor/copyright, and the changelog as
#   changelog.gz (the name for a package made by the program's own authors);
# - lintian's overrides for this package, each with its reason;
# - the manual page compressed;
# - the program stripped of its symbols and of the .comment and .note
#   sections, as dh_strip strips Debian's own programs;
# - the usual modes whatever the umask was: folders and the program 0755,
#   every other file 0644.
# gzip -9n: the best compression, and no name or time in the header, so the
# same sources make the same package.
set(staged "${CPACK_TEMPORARY_DIRECTORY}/usr")
set(name "${CPACK_ORVANE_FILE_NAME}")
if(NOT EXISTS "${staged}/bin/${name}")
  message(FATAL_ERROR "No program in the staged tree ${staged}")
endif()

function(compress file)
  execute_process(COMMAND gzip -9n --force "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${file}")
  endif()
endfunction()

set(doc "${staged}/share/doc/${name}")
file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_ORVANE_DOC_SOURCE}/copyright" "${doc}/copyright")
file(COPY_FILE "${CPACK_ORVANE_DOC_SOURCE}/changelog" "${doc}/changelog")
compress("${doc}/changelog")
compress("${staged}/share/man/man1/${name}.1")
set(overrides "${staged}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CPACK_ORVANE_DOC_SOURCE}/lintian-overrides" "${overrides}/${name}")

execute_process(COMMAND "${CPACK_ORVANE_STRIP}" --remove-section=.comment --remove-section=.note
                        "${staged}/bin/${name}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "strip could not strip ${staged}/bin/${name}")
endif()

file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(entry "${CPACK_TEMPORARY_DIRECTORY}" ${entries})
  if(IS_DIRECTORY "${entry}" OR entry STREQUAL "${staged}/bin/${name}")
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                      WORLD_EXECUTE)
  else()
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
