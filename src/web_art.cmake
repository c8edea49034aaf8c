# cmake -DNATIVE=BUILD -DOUT=DIR -P web_art.cmake: the page's icons and its link preview. The
# native driver shoots the start menu as the game first draws it, in a scratch folder holding
# the native build's pictures and sounds; the icon tool draws the rest around that shot.
set(scratch ${OUT}/start-menu)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})
foreach(folder Images Music Sfx)
  file(CREATE_LINK ${NATIVE}/${folder} ${scratch}/${folder} SYMBOLIC)
endforeach()
file(WRITE ${scratch}/shot.txt "shot start-menu.bmp\n")
execute_process(COMMAND ${NATIVE}/kestrola-replay shot.txt WORKING_DIRECTORY ${scratch}
                RESULT_VARIABLE shot OUTPUT_QUIET)
if(NOT shot EQUAL 0 OR NOT EXISTS ${scratch}/start-menu.bmp)
  message(FATAL_ERROR "the driver could not shoot the start menu (${shot}): see ${scratch}/logFile.txt")
endif()
execute_process(COMMAND ${NATIVE}/kestrola-icon --web ${scratch}/start-menu.bmp ${OUT}
                RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
  message(FATAL_ERROR "the icon tool could not draw the page's pictures")
endif()
file(REMOVE_RECURSE ${scratch})
