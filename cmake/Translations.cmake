# The translations of the programs' shown texts: translations/<catalogue>_<language>.ts,
# written with Qt Linguist's tools from qt6-l10n-tools (lupdate collects the
# texts, lrelease compiles them). Debian's Qt 6.4 ships its CMake functions
# for them only with qt6-tools-dev (Designer, Assistant and libclang with
# it), so the two programs are called directly.
find_program(KALVEX_LRELEASE NAMES lrelease lrelease-qt6
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin)
find_program(KALVEX_LUPDATE NAMES lupdate lupdate-qt6
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin)
find_program(KALVEX_PYTHON NAMES python3)
if(NOT KALVEX_LRELEASE)
  message(FATAL_ERROR "lrelease not found: run scripts/install-deps.sh (qt6-l10n-tools)")
endif()

set(KALVEX_TRANSLATIONS_DIR "${PROJECT_SOURCE_DIR}/translations")

# kalvex_add_translations(<target> <catalogue> SOURCES dirs...)
# Compiles every translations/<catalogue>_*.ts and stores the .qm files in
# <target> under :/i18n (see app/qt/translations.h). The target
# update_translations_<catalogue> runs lupdate over the given source folders
# and refreshes the .ts files; new messages come in "unfinished".
function(kalvex_add_translations target catalogue)
  cmake_parse_arguments(A "" "" "SOURCES" ${ARGN})
  file(GLOB ts_files CONFIGURE_DEPENDS "${KALVEX_TRANSLATIONS_DIR}/${catalogue}_*.ts")
  set(qm_dir "${CMAKE_CURRENT_BINARY_DIR}/i18n")
  set(qm_files)
  foreach(ts IN LISTS ts_files)
    get_filename_component(base "${ts}" NAME_WE)
    set(qm "${qm_dir}/${base}.qm")
    add_custom_command(OUTPUT "${qm}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${qm_dir}"
      COMMAND "${KALVEX_LRELEASE}" -silent -nounfinished "${ts}" -qm "${qm}"
      DEPENDS "${ts}" VERBATIM)
    list(APPEND qm_files "${qm}")
  endforeach()
  if(qm_files)
    qt_add_resources(${target} "${catalogue}_translations" PREFIX /i18n BASE "${qm_dir}"
                     FILES ${qm_files})
  endif()

  if(NOT KALVEX_LUPDATE)
    return()
  endif()
  set(folders ${A_SOURCES})
  list(TRANSFORM A_SOURCES PREPEND "${PROJECT_SOURCE_DIR}/")
  add_custom_target(update_translations_${catalogue}
    COMMAND "${KALVEX_LUPDATE}" -silent -locations none -no-obsolete
            -I "${PROJECT_SOURCE_DIR}/src" ${A_SOURCES}
            -ts ${ts_files}
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}" VERBATIM)
  # Every text of the code is in every .ts and translated there, with the
  # source's placeholders and access keys.
  if(ts_files AND KALVEX_PYTHON)
    add_test(NAME translations_${catalogue}
      COMMAND "${KALVEX_PYTHON}" "${PROJECT_SOURCE_DIR}/scripts/check-translations.py"
              "${KALVEX_LUPDATE}" "${PROJECT_SOURCE_DIR}" ${ts_files} -- ${folders})
  endif()
endfunction()
