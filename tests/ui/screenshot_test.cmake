# Runs varemo20 --screenshot on a fresh program folder (with the build's tariff and text files) and
# checks that a PNG was written: of the main window, of a panel and of a calculator's window.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${BUILD}/Tarife ${BUILD}/Texte DESTINATION ${WORK})
execute_process(COMMAND ${EXE} --program-dir ${WORK} --screenshot ${WORK}/sheet.png --year 2020 --set REAL
                        --case 1 --month 3
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "varemo20 --screenshot exited with ${rc}")
endif()
file(READ ${WORK}/sheet.png head LIMIT 8 HEX)
if(NOT head STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "no PNG written: ${head}")
endif()
# A panel content over the main window.
execute_process(COMMAND ${EXE} --program-dir ${WORK} --screenshot ${WORK}/panel.png --year 2020 --set REAL
                        --case 1 --month 3 --panel 22
                RESULT_VARIABLE rc)
file(READ ${WORK}/panel.png head LIMIT 8 HEX)
if(NOT rc EQUAL 0 OR NOT head STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "no PNG of the panel written: ${rc} ${head}")
endif()
# A calculator's window by its name; a name no calculator has is a usage error.
execute_process(COMMAND ${EXE} --program-dir ${WORK} --screenshot ${WORK}/vacation.png --year 2020 --set REAL
                        --case 1 --month 3 --window Urlaubsber
                RESULT_VARIABLE rc)
file(READ ${WORK}/vacation.png head LIMIT 8 HEX)
if(NOT rc EQUAL 0 OR NOT head STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "no PNG of the vacation window written: ${rc} ${head}")
endif()
execute_process(COMMAND ${EXE} --screenshot ${WORK}/x.png --window Kalender RESULT_VARIABLE usage OUTPUT_QUIET
                ERROR_QUIET)
if(NOT usage EQUAL 2)
  message(FATAL_ERROR "an unknown window should be a usage error, got ${usage}")
endif()
execute_process(COMMAND ${EXE} --screenshot ${WORK}/x.png --month 14 RESULT_VARIABLE usage OUTPUT_QUIET ERROR_QUIET)
if(NOT usage EQUAL 2)
  message(FATAL_ERROR "a month of 14 should be a usage error, got ${usage}")
endif()
