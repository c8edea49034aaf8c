# cmake -DOUT=DIR -DPAGE=web -DGAME=DIR -DMUSIC=DIR -DART=DIR [-DURL=ADDRESS] -P web_page.cmake
# Writes the page's folder whole: the page's files, the game, its package gzipped, the tunes, the
# icons and the link preview; then the build's name, a digest of all of them, into index.html
# (the page files what it downloads under it) and into the service worker with the list of files
# it keeps for playing offline. Whatever else the folder holds is removed.
cmake_minimum_required(VERSION 3.25)

set(files) # every file written, relative to OUT
macro(put from to)
  file(COPY_FILE ${from} ${OUT}/${to} ONLY_IF_DIFFERENT)
  list(APPEND files ${to})
endmacro()

file(MAKE_DIRECTORY ${OUT}/Music ${OUT}/icons)
foreach(name loader.js game.js layout.js controls.js opponent.js watch.js recordings.js sending.js
                page.js page.css kestrola.webmanifest)
  put(${PAGE}/${name} ${name})
endforeach()
put(${GAME}/kestrola.js kestrola.js)
put(${GAME}/kestrola.wasm kestrola.wasm)
foreach(name icon-192.png icon-512.png favicon.png)
  put(${ART}/${name} icons/${name})
endforeach()
put(${ART}/preview.png preview.png)
file(GLOB tunes RELATIVE ${MUSIC} ${MUSIC}/Music/*.ogg)
foreach(tune ${tunes})
  put(${MUSIC}/${tune} ${tune})
endforeach()

# gzip without the file's name and time, so the same package gives the same bytes.
execute_process(COMMAND gzip -9 -n -c ${GAME}/kestrola.data OUTPUT_FILE ${GAME}/kestrola.data.gz
                RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  message(FATAL_ERROR "gzip could not pack ${GAME}/kestrola.data")
endif()
put(${GAME}/kestrola.data.gz kestrola.data.gz)

# The build's name: the digest of every file the page is made of, and of the two written below
# as they are before the name goes in.
list(SORT files)
set(digests "")
foreach(file ${files})
  file(SHA256 ${OUT}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
endforeach()
foreach(template index.html sw.js)
  file(SHA256 ${PAGE}/${template} digest)
  string(APPEND digests "${template} ${digest} ${URL}\n")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 KESTROLA_BUILD)

# What the service worker installs: everything the game needs to start. The tunes it keeps as
# they pass (the page fetches them once the game runs), the preview is only for other sites'
# link cards, and the worker itself the browser keeps on its own.
set(kept "./")
foreach(file ${files})
  if(NOT file STREQUAL "preview.png" AND NOT file MATCHES "^Music/")
    string(APPEND kept "\",\n  \"${file}")
  endif()
endforeach()
set(KESTROLA_FILES "\"${kept}\"")
# A link card wants the picture's full address; without one the picture is named relative to
# the page, which browsers follow.
set(KESTROLA_PREVIEW "preview.png")
set(KESTROLA_ADDRESS "")
if(URL)
  string(REGEX REPLACE "/+$" "" address "${URL}")
  string(APPEND address "/")
  set(KESTROLA_PREVIEW "${address}preview.png")
  set(KESTROLA_ADDRESS "\n<meta property=\"og:url\" content=\"${address}\">")
endif()
configure_file(${PAGE}/index.html ${OUT}/index.html @ONLY)
configure_file(${PAGE}/sw.js ${OUT}/sw.js @ONLY)
list(APPEND files index.html sw.js)

# Nothing else: no file of an older build, and never the driver's.
file(GLOB_RECURSE present RELATIVE ${OUT} ${OUT}/*)
foreach(file ${present})
  if(NOT file IN_LIST files)
    file(REMOVE ${OUT}/${file})
  endif()
endforeach()
