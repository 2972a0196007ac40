# Puts the archive's files into STAGE: the DLLs without their debug and
# symbol sections, the plain-text guides as they are (readme.txt in code page
# 932, readme-en.txt in UTF-8; both CR LF) and SHA256SUMS over those files.
# Usage: cmake -DSTAGE=... -DSTRIP=... -DDLLS=a.dll,b.dll -DTEXTS=a.txt;b.txt -P StageRelease.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
string(REPLACE "," ";" DLLS "${DLLS}")
string(REPLACE "," ";" TEXTS "${TEXTS}")
set(names "")
# strip writes a new PE header and stamps it with the time unless
# SOURCE_DATE_EPOCH says otherwise: 0, as the linker leaves it.
set(ENV{SOURCE_DATE_EPOCH} 0)
foreach(dll IN LISTS DLLS)
    get_filename_component(name ${dll} NAME)
    execute_process(COMMAND ${STRIP} --strip-all -o ${STAGE}/${name} ${dll}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${STRIP} could not strip ${dll}")
    endif()
    list(APPEND names ${name})
endforeach()
foreach(text IN LISTS TEXTS)
    file(COPY ${text} DESTINATION ${STAGE})
    get_filename_component(name ${text} NAME)
    list(APPEND names ${name})
endforeach()

set(sums "")
foreach(name IN LISTS names)
    file(SHA256 ${STAGE}/${name} hash)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${STAGE}/SHA256SUMS "${sums}")
