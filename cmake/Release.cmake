# The release: one version for the DLLs' version resource and the archive,
# builds that give the same bytes wherever and whenever they run, and the ZIP
# archive users install from (cmake --build --preset win32 --target package).

if(NOT (WIN32 AND TARGET Pellmark AND TARGET PellmarkSetting))
    return()
endif()

# The version resource of both DLLs, filled in from project(... VERSION ...).
configure_file(${CMAKE_CURRENT_LIST_DIR}/VersionInfo.rc.in ${CMAKE_BINARY_DIR}/PellVersionInfo.rc @ONLY)
foreach(dll Pellmark PellmarkSetting)
    target_include_directories(${dll} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}>)
endforeach()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/copy/Pellmark.rc ${CMAKE_SOURCE_DIR}/setting/PellmarkSetting.rc
             DIRECTORY ${CMAKE_SOURCE_DIR}/copy ${CMAKE_SOURCE_DIR}/setting
             APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/PellVersionInfo.rc)

# Reproducible images: no link time stamp in the PE header and no source or
# build folder in anything the compiler writes.
target_link_options(pell_options INTERFACE -Wl,--no-insert-timestamp)
target_compile_options(pell_options INTERFACE
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)

# The files that go into the archive beside the DLLs: the guide in Japanese
# (code page 932, CR LF) as readme.txt, the English one (UTF-8, CR LF) and the
# SHA-256 of every file.
set(PELL_STAGE ${CMAKE_BINARY_DIR}/release)
set(PELL_STAGED_FILES ${PELL_STAGE}/Pellmark.dll ${PELL_STAGE}/PellmarkSetting.dll
    ${PELL_STAGE}/readme.txt ${PELL_STAGE}/readme-en.txt)
add_custom_command(
    OUTPUT ${PELL_STAGED_FILES} ${PELL_STAGE}/SHA256SUMS
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${PELL_STAGE} -DVERSION=${PROJECT_VERSION}
            -DGUIDE_JA=${CMAKE_SOURCE_DIR}/docs/guide.ja.md -DGUIDE_EN=${CMAKE_SOURCE_DIR}/docs/guide.en.md
            -DDLLS=$<TARGET_FILE:Pellmark>,$<TARGET_FILE:PellmarkSetting>
            -P ${CMAKE_CURRENT_LIST_DIR}/StageRelease.cmake
    DEPENDS Pellmark PellmarkSetting ${CMAKE_SOURCE_DIR}/docs/guide.ja.md ${CMAKE_SOURCE_DIR}/docs/guide.en.md
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
set(CPACK_PACKAGE_FILE_NAME Pellmark-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
# Entry times: SOURCE_DATE_EPOCH, which CPack's archive writer honours; the
# project file sets it to the commit's time when it is not set.
set(CPACK_PELL_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake)
include(CPack)

# plughost names the version it belongs to.
if(TARGET plughost)
    target_compile_definitions(plughost PRIVATE PELL_VERSION="${PROJECT_VERSION}")
endif()
