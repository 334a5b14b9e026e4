# Run by CPack on the staging tree before it packs, to give the package
# Debian's layout:
# - the programs of a game go to /usr/games, as Debian's policy asks (the
#   game finds its computer player beside itself, and the tally tool stays
#   with them);
# - programs are stripped as dh_strip does, notes and comments included;
# - the copyright notice and the compressed changelog that every package
#   carries go to /usr/share/doc/<package>.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")

file(GLOB programs "${usr}/bin/*")
if(programs)
  file(MAKE_DIRECTORY "${usr}/games")
endif()
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME)
  file(RENAME "${program}" "${usr}/games/${name}")
endforeach()
file(REMOVE_RECURSE "${usr}/bin")

file(GLOB programs "${usr}/games/*")
foreach(program IN LISTS programs)
  file(READ "${program}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${CPACK_KALVEX_STRIP}" --remove-section=.comment
                            --remove-section=.note --strip-unneeded "${program}"
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "Cannot strip ${program}")
    endif()
  endif()
endforeach()

set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_KALVEX_DEBIAN_DOCS}/copyright" "${doc}/copyright")
file(COPY_FILE "${CPACK_KALVEX_DEBIAN_DOCS}/changelog" "${doc}/changelog")
execute_process(COMMAND "${CPACK_KALVEX_GZIP}" -9 -n -f "${doc}/changelog"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Cannot compress ${doc}/changelog")
endif()
