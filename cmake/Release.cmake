# The release: the ZIP archive users install from (cmake --build --preset
# win32 --target package). It holds one folder named like the archive with
# the stripped DLLs, the plain-text guides and the SHA-256 of every file.

if(NOT (WIN32 AND TARGET Pellmark AND TARGET PellmarkSetting AND TARGET pell_readme))
    return()
endif()

set(PELL_PACKAGE_NAME Pellmark-${PROJECT_VERSION}-win32)
set(PELL_STAGE ${CMAKE_BINARY_DIR}/release)
set(PELL_STAGED_FILES ${PELL_STAGE}/Pellmark.dll ${PELL_STAGE}/PellmarkSetting.dll
    ${PELL_STAGE}/readme.txt ${PELL_STAGE}/readme-en.txt)
if(NOT CMAKE_STRIP)
    message(FATAL_ERROR "No strip program for ${CMAKE_CXX_COMPILER}: the release DLLs are shipped stripped")
endif()
list(JOIN PELL_README_FILES "," texts)
add_custom_command(
    OUTPUT ${PELL_STAGED_FILES} ${PELL_STAGE}/SHA256SUMS
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${PELL_STAGE} -DSTRIP=${CMAKE_STRIP}
            -DDLLS=$<TARGET_FILE:Pellmark>,$<TARGET_FILE:PellmarkSetting>
            -DTEXTS=${texts}
            -P ${CMAKE_CURRENT_LIST_DIR}/StageRelease.cmake
    DEPENDS Pellmark PellmarkSetting pell_readme ${PELL_README_FILES}
            ${CMAKE_CURRENT_LIST_DIR}/StageRelease.cmake
    COMMENT "Staging the release files"
    VERBATIM)
add_custom_target(pell_release_files ALL DEPENDS ${PELL_STAGED_FILES} ${PELL_STAGE}/SHA256SUMS)

# One component per file: CPack writes components in the order of their
# names, which fixes the order of the archive's entries (files within one
# component would follow the order the file system lists them in).
set(n 0)
foreach(file IN LISTS PELL_STAGED_FILES ITEMS ${PELL_STAGE}/SHA256SUMS)
    math(EXPR n "${n} + 1")
    install(FILES ${file} DESTINATION . COMPONENT entry${n}
            PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Pellmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PELL_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Every entry under one folder named like the archive (entries for the files
# only: the folder comes with them in every extractor).
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
# Entry times: SOURCE_DATE_EPOCH, which CPack's archive writer honours; the
# project file sets it to the commit's time when it is not set.
set(CPACK_PELL_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake)
include(CPack)
