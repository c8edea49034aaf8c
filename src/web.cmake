# The game in the browser: the same units as the desktop's, with the pictures read by the game
# itself (render/pictures_web.cpp), the mixer on Web Audio (shell/web_mixer.js) and a loop on a
# timer (shell/web_main.cpp). The page around it is web/; the output folder holds everything a
# web server needs: index.html, kestrola.js, kestrola.wasm, kestrola.data.
set(KESTROLA_WEB_ASSETS "")
foreach(folder Images Music Sfx)
  if(NOT EXISTS ${KESTROLA_NATIVE_BUILD}/${folder})
    message(FATAL_ERROR "${KESTROLA_NATIVE_BUILD}/${folder} is missing: build the native game first")
  endif()
  list(APPEND KESTROLA_WEB_ASSETS "--preload-file=${KESTROLA_NATIVE_BUILD}/${folder}@/${folder}")
endforeach()

add_executable(kestrola shell/web_main.cpp)
target_link_libraries(kestrola PRIVATE kestrola_game)
set_target_properties(kestrola PROPERTIES SUFFIX .js)
target_link_options(kestrola PRIVATE
    -sENVIRONMENT=web
    -sMODULARIZE=1
    -sEXPORT_NAME=createKestrola
    "-sEXPORTED_RUNTIME_METHODS=['callMain','FS','ENV']"
    --js-library=${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js
    ${KESTROLA_WEB_ASSETS})
set_property(TARGET kestrola APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js)

# The page: copied as it is, so the folder can be served from anywhere.
foreach(page index.html page.js page.css)
  configure_file(${CMAKE_SOURCE_DIR}/web/${page} ${KESTROLA_WEB_OUTPUT}/${page} COPYONLY)
endforeach()

# The scripted driver in the browser, run by tools/web-replay with the files of the working
# directory it was started in (so nothing is packed with it).
add_executable(kestrola-replay shell/replay_main.cpp shell/replay_driver.cpp shell/replay_dump.cpp)
target_link_libraries(kestrola-replay PRIVATE kestrola_hooks)
set_target_properties(kestrola-replay PROPERTIES SUFFIX .js)
target_link_options(kestrola-replay PRIVATE
    -sENVIRONMENT=web
    -sMODULARIZE=1
    -sEXPORT_NAME=createKestrolaReplay
    -sALLOW_MEMORY_GROWTH=1
    -sFORCE_FILESYSTEM=1
    "-sEXPORTED_RUNTIME_METHODS=['callMain','FS']"
    --js-library=${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js)
set_property(TARGET kestrola-replay APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js)
