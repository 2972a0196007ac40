# Checks a plug-in DLL as the host and the loader see it:
#  - it imports only Windows system DLLs (everything else is linked statically);
#  - its export table is named DLL_NAME, has ordinal base 1 and ten slots, and
#    exports exactly GetPluginInterfalce at 1 and ExecutePlugin at 10, with
#    undecorated names;
#  - none of our objects linked into it (per the link map MAP) has a static
#    constructor, so loading it runs none of our code.
# objdump runs in the C locale: its headings are what the checks match.
# Usage: cmake -DOBJDUMP=... -DDLL=... -DDLL_NAME=... -DMAP=... -DARCHIVE=... -P CheckPluginImage.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANG=C ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${DLL}")
endif()

set(failures "")
set(system_dlls kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll shell32.dll
    ole32.dll oleaut32.dll comctl32.dll comdlg32.dll version.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
    list(APPEND failures "no import table found")
endif()
foreach(line IN LISTS imports)
    string(REPLACE "DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" lower)
    if(NOT lower IN_LIST system_dlls AND NOT lower MATCHES "^api-ms-win-")
        list(APPEND failures "imports ${name}, which is not a Windows system DLL")
    endif()
endforeach()

if(NOT dump MATCHES "\nName[ \t]+[0-9a-fA-F]+ ${DLL_NAME}\n")
    list(APPEND failures "export table is not named ${DLL_NAME}")
endif()
if(NOT dump MATCHES "Ordinal Base[ \t]+1\n")
    list(APPEND failures "ordinal base is not 1")
endif()
if(NOT dump MATCHES "Export Address Table[ \t]+0000000a\n")
    list(APPEND failures "export address table does not have ten slots")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(\t[^\n]*\n)*" names "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${names}")
list(SORT entries)
set(expected "[   0] GetPluginInterfalce" "[   9] ExecutePlugin")
list(SORT expected)
if(NOT entries STREQUAL expected)
    list(APPEND failures "named exports are '${entries}', expected '${expected}'")
endif()

if(MAP AND ARCHIVE)
    file(READ ${MAP} map)
    string(REGEX MATCHALL "libpellcore\\.a\\([^)]+\\)" members "${map}")
    list(REMOVE_DUPLICATES members)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANG=C ${OBJDUMP} -h ${ARCHIVE} OUTPUT_VARIABLE sections)
    # One block per archive member: "<member>:     file format ..." then its sections.
    string(REGEX REPLACE "\n([^ \n\t][^\n]*):[ \t]+file format" "\n@@\\1" sections "${sections}")
    string(REPLACE ";" "," sections "${sections}")
    string(REPLACE "@@" ";" blocks "${sections}")
    foreach(member IN LISTS members)
        string(REGEX REPLACE "libpellcore\\.a\\(([^)]+)\\)" "\\1" object "${member}")
        foreach(block IN LISTS blocks)
            string(FIND "${block}" "${object} " at)
            if(at EQUAL 0 AND block MATCHES "\\.ctors|\\.init_array|\\.CRT\\$XC")
                list(APPEND failures "${object} has a static constructor")
            endif()
        endforeach()
    endforeach()
endif()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
message(STATUS "${DLL}: imports only system DLLs, exports as the host expects")
