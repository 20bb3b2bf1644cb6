# SPDX-License-Identifier: MIT
# Puts the site together in SITE beside the program's molvane.js and
# molvane.wasm, and writes the service worker's list of files and its cache
# name, the first 16 hexadecimal digits of a SHA-256 over every file.
foreach(file index.html molvane-page.js molvane.css manifest.json)
  configure_file(${PAGE}/${file} ${SITE}/${file} COPYONLY)
endforeach()
configure_file(${RESOURCES}/molvane.svg ${SITE}/molvane.svg COPYONLY)
configure_file(${RESOURCES}/help/molvane-help.html ${SITE}/molvane-help.html COPYONLY)
foreach(size 192 512)
  execute_process(COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${RESOURCES}/molvane.svg -o ${SITE}/icon-${size}.png
                  RESULT_VARIABLE drawn)
  if(NOT drawn EQUAL 0)
    message(FATAL_ERROR "rsvg-convert could not draw the ${size}-pixel icon")
  endif()
endforeach()

set(files index.html molvane.js molvane.wasm molvane-page.js molvane.css manifest.json molvane.svg icon-192.png
          icon-512.png molvane-help.html)
set(contents "")
set(listed "\"./\"")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND contents "${file} ${digest}\n")
  string(APPEND listed ", \"${file}\"")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${PAGE}/service-worker.js worker)
string(REPLACE "@SITE_VERSION@" ${version} worker "${worker}")
string(REPLACE "/*@SITE_FILES@*/" "${listed}" worker "${worker}")
file(WRITE ${SITE}/service-worker.js "${worker}")
