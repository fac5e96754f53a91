# Read by cpack before it packs: the package is made only from a build fit to
# ship. A sanitized build's program needs the sanitizer runtimes and stops at
# the first fault; a Debug build is slow; and a build for another prefix
# names that prefix in the manual page while the package puts it under /usr.
if(CPACK_ORVANE_SANITIZE OR NOT CPACK_ORVANE_BUILD_TYPE STREQUAL "Release"
   OR NOT CPACK_ORVANE_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "The package is made from a Release build without sanitizers installed under /usr "
                      "(this one: ${CPACK_ORVANE_BUILD_TYPE}, sanitizers ${CPACK_ORVANE_SANITIZE}, "
                      "prefix ${CPACK_ORVANE_INSTALL_PREFIX}); scripts/package.sh configures one.")
endif()
