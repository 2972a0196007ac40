# Read by cpack before it writes the archive. The entries' times come from
# SOURCE_DATE_EPOCH: the caller's, else the time of the commit being packaged,
# else 1980-01-01 (the earliest time a ZIP entry can hold). The ZIP format's
# DOS times are local times, so the zone is fixed to UTC.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} OR "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    execute_process(COMMAND git -C ${CPACK_PELL_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch RESULT_VARIABLE rc
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT rc EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
        set(epoch 315532800)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
set(ENV{TZ} UTC)
