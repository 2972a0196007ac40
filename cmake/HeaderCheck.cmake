# Every header of the product compiles on its own: one translation unit per
# header that includes it and nothing else, built as part of the default
# target, so a header that leans on its includer's includes fails the build.
# Each header is checked on the build it is meant for, as its folder says:
# posix-only headers natively, Win32-only ones (the Win32 backend, the window
# runtime, the export boundary, the settings dialog) with MinGW, the rest on
# both.
file(GLOB_RECURSE PELL_PRODUCT_HEADERS RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/runtime/*.h ${CMAKE_SOURCE_DIR}/lib/*.h ${CMAKE_SOURCE_DIR}/plugin/*.h
    ${CMAKE_SOURCE_DIR}/copy/*.h ${CMAKE_SOURCE_DIR}/setting/*.h)

set(PELL_WIN32_ONLY_HEADERS "^(runtime/win32/|runtime/vcl/|plugin/win32/|setting/)")
set(PELL_POSIX_ONLY_HEADERS "^runtime/posix/")

set(PELL_HEADER_UNITS)
foreach(header ${PELL_PRODUCT_HEADERS})
    set(meant_here TRUE)
    if(WIN32 AND header MATCHES "${PELL_POSIX_ONLY_HEADERS}")
        set(meant_here FALSE)
    elseif(NOT WIN32 AND header MATCHES "${PELL_WIN32_ONLY_HEADERS}")
        set(meant_here FALSE)
    endif()
    if(meant_here)
        string(MAKE_C_IDENTIFIER ${header} unit)
        set(unit_file ${CMAKE_BINARY_DIR}/header-check/${unit}.cpp)
        file(CONFIGURE OUTPUT ${unit_file} CONTENT "#include \"${header}\"\n")
        list(APPEND PELL_HEADER_UNITS ${unit_file})
    endif()
endforeach()

add_library(pell_header_check OBJECT ${PELL_HEADER_UNITS})
target_link_libraries(pell_header_check PRIVATE pell_options)
