# The game in the browser: the same units as the desktop's, with the pictures read by the game
# itself (render/pictures_web.cpp), the mixer on Web Audio (shell/web_mixer.js) and a loop on a
# timer (shell/web_main.cpp). The page around it is web/. The output folder holds exactly what a
# web server hosts (src/web_page.cmake assembles it): the page, kestrola.js and kestrola.wasm,
# the pictures and effects packed and gzipped (kestrola.data.gz, all the start menu waits for),
# the tunes one file each (Music/, fetched once the game runs), the manifest and icons of an
# installable page, its service worker, and the picture a link to it shows.
foreach(folder Images Music Sfx)
  if(NOT EXISTS ${KESTROLA_NATIVE_BUILD}/${folder})
    message(FATAL_ERROR "${KESTROLA_NATIVE_BUILD}/${folder} is missing: build the native game first")
  endif()
endforeach()
set(KESTROLA_WEB_DRIVER_OUTPUT ${KESTROLA_WEB_OUTPUT}-driver CACHE PATH
    "Where the browser's scripted driver is written (tools/web-replay runs it)")
set(KESTROLA_WEB_URL "" CACHE STRING
    "The address the page is hosted at, if known: link previews then name its picture in full")

# The game, with the pictures and effects in its package; the tunes stay out of it.
set(game_dir ${CMAKE_BINARY_DIR}/game)
add_executable(kestrola shell/web_main.cpp)
target_link_libraries(kestrola PRIVATE kestrola_game)
set_target_properties(kestrola PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${game_dir})
target_link_options(kestrola PRIVATE
    -sENVIRONMENT=web
    -sMODULARIZE=1
    -sEXPORT_NAME=createKestrola
    "-sEXPORTED_RUNTIME_METHODS=['callMain','FS','ENV','ccall']"
    "-sEXPORTED_FUNCTIONS=['_main','_kestrolaRecordingProblem','_kestrolaWatchState']"
    --js-library=${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js
    --preload-file=${KESTROLA_NATIVE_BUILD}/Images@/Images
    --preload-file=${KESTROLA_NATIVE_BUILD}/Sfx@/Sfx)
file(GLOB pictures ${KESTROLA_NATIVE_BUILD}/Images/*.bmp)
file(GLOB effects ${KESTROLA_NATIVE_BUILD}/Sfx/*.wav)
set_property(TARGET kestrola APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js ${pictures} ${effects})

# The tunes, rendered again by the native build's generator at the browser's smaller quality.
set(music_dir ${CMAKE_BINARY_DIR}/music)
file(GLOB desktop_music RELATIVE ${KESTROLA_NATIVE_BUILD}/Music ${KESTROLA_NATIVE_BUILD}/Music/*.ogg)
list(TRANSFORM desktop_music PREPEND ${music_dir}/Music/ OUTPUT_VARIABLE browser_music)
add_custom_command(
    OUTPUT ${browser_music}
    COMMAND ${KESTROLA_NATIVE_BUILD}/kestrola-sound --browser ${music_dir}
    DEPENDS ${KESTROLA_NATIVE_BUILD}/kestrola-sound
    COMMENT "Encoding the tunes for the browser"
    VERBATIM)

# The icons and the link preview, drawn by the native build's icon tool around the driver's shot
# of the start menu.
set(art_dir ${CMAKE_BINARY_DIR}/art)
set(web_art ${art_dir}/icon-192.png ${art_dir}/icon-512.png ${art_dir}/favicon.png
    ${art_dir}/preview.png)
add_custom_command(
    OUTPUT ${web_art}
    COMMAND ${CMAKE_COMMAND} -DNATIVE=${KESTROLA_NATIVE_BUILD} -DOUT=${art_dir}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/web_art.cmake
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web_art.cmake ${KESTROLA_NATIVE_BUILD}/kestrola-icon
            ${KESTROLA_NATIVE_BUILD}/kestrola-replay ${pictures}
    COMMENT "Drawing the page's icons and its link preview"
    VERBATIM)

# The output folder, whole: written anew whenever anything in it would change, and nothing else
# left in it.
set(page_sources index.html loader.js game.js layout.js controls.js opponent.js watch.js
    recordings.js sending.js page.js page.css sw.js kestrola.webmanifest)
list(TRANSFORM page_sources PREPEND ${CMAKE_SOURCE_DIR}/web/)
# Rewritten only when the address changes, so that a new address writes the page anew.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/web_url.txt CONTENT "${KESTROLA_WEB_URL}\n")
add_custom_command(
    OUTPUT ${KESTROLA_WEB_OUTPUT}/index.html ${KESTROLA_WEB_OUTPUT}/sw.js
    COMMAND ${CMAKE_COMMAND} -DOUT=${KESTROLA_WEB_OUTPUT} -DPAGE=${CMAKE_SOURCE_DIR}/web
            -DGAME=${game_dir} -DMUSIC=${music_dir} -DART=${art_dir} -DURL=${KESTROLA_WEB_URL}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/web_page.cmake
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web_page.cmake ${page_sources} ${CMAKE_BINARY_DIR}/web_url.txt
            kestrola
            ${game_dir}/kestrola.js ${browser_music} ${web_art}
    COMMENT "Assembling the page in ${KESTROLA_WEB_OUTPUT}"
    VERBATIM)
add_custom_target(page ALL DEPENDS ${KESTROLA_WEB_OUTPUT}/index.html ${KESTROLA_WEB_OUTPUT}/sw.js)

# The scripted driver in the browser, run by tools/web-replay with the files of the working
# directory it was started in (so nothing is packed with it). The page never loads it: it is
# written beside the page's folder, not into it.
add_executable(kestrola-replay shell/replay_main.cpp shell/replay_driver.cpp shell/replay_dump.cpp)
target_link_libraries(kestrola-replay PRIVATE kestrola_hooks)
set_target_properties(kestrola-replay PROPERTIES SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${KESTROLA_WEB_DRIVER_OUTPUT})
target_link_options(kestrola-replay PRIVATE
    -sENVIRONMENT=web
    -sMODULARIZE=1
    -sEXPORT_NAME=createKestrolaReplay
    -sALLOW_MEMORY_GROWTH=1
    -sFORCE_FILESYSTEM=1
    "-sEXPORTED_RUNTIME_METHODS=['callMain','FS','ENV']"
    --js-library=${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js)
set_property(TARGET kestrola-replay APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/shell/web_mixer.js)

# The computer player's points, matches and thinking cost in the browser (bench/web_computer.js
# runs it in headless Chromium): a measurement, kept in this CMake folder, never with the page.
add_executable(kestrola-computer-bench ${CMAKE_SOURCE_DIR}/bench/computer_bench.cpp)
target_link_libraries(kestrola-computer-bench PRIVATE kestrola_core)
set_target_properties(kestrola-computer-bench PROPERTIES SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_options(kestrola-computer-bench PRIVATE
    -sENVIRONMENT=web
    -sMODULARIZE=1
    -sEXPORT_NAME=createKestrolaComputerBench
    -sINVOKE_RUN=0
    "-sEXPORTED_RUNTIME_METHODS=['callMain']")
