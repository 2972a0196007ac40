# Puts the archive's files into STAGE: the DLLs, the guide in Japanese as
# readme.txt (code page 932, CR LF, as Japanese Windows reads it), the English
# guide as readme-en.txt (UTF-8 with a byte order mark, CR LF) and SHA256SUMS
# over those four. The guides' title line gets the version; their picture
# lines go (the pictures are not in the archive).
# Usage: cmake -DSTAGE=... -DVERSION=... -DGUIDE_JA=... -DGUIDE_EN=... -DDLLS=a.dll,b.dll -P StageRelease.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
string(REPLACE "," ";" DLLS "${DLLS}")
set(names "")
foreach(dll IN LISTS DLLS)
    file(COPY ${dll} DESTINATION ${STAGE})
    get_filename_component(name ${dll} NAME)
    list(APPEND names ${name})
endforeach()

# The guide with the version in its title and CR LF line ends, still UTF-8.
function(pell_guide_text source out)
    file(READ ${source} text)
    string(REGEX REPLACE "^# Pellmark " "# Pellmark ${VERSION} " text "${text}")
    string(REGEX REPLACE "\n!\\[[^\n]*\\]\\([^\n]*\\)\n" "\n" text "${text}")
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

pell_guide_text(${GUIDE_JA} ja)
file(WRITE ${STAGE}/readme.utf8 "${ja}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 ${STAGE}/readme.utf8 -o ${STAGE}/readme.txt
                RESULT_VARIABLE rc)
file(REMOVE ${STAGE}/readme.utf8)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${GUIDE_JA} has characters outside code page 932")
endif()
list(APPEND names readme.txt)

pell_guide_text(${GUIDE_EN} en)
string(ASCII 239 187 191 bom)
file(WRITE ${STAGE}/readme-en.txt "${bom}${en}")
list(APPEND names readme-en.txt)

set(sums "")
foreach(name IN LISTS names)
    file(SHA256 ${STAGE}/${name} hash)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${STAGE}/SHA256SUMS "${sums}")
