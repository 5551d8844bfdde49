# Only hostport/ talks to the host: an add-on file elsewhere that includes a host API header
# (ACAPinc.h, APIdefs_*.h, APIErrors.h) or one of the port's internal/ headers, or calls an
# ACAPI_ function, fails the configuration, unless it is still listed in
# not-yet-through-the-port.txt (which must then be true of it).
function(korvel_check_one_door)
    set(folders aclink catalogue export import palettes update Sources net log parsers model)
    file(STRINGS ${PROJECT_SOURCE_DIR}/hostport/not-yet-through-the-port.txt listed REGEX "^[^#]")
    set(offenders)
    set(stale)
    foreach(folder ${folders})
        file(GLOB_RECURSE sources RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.hpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
        foreach(source ${sources})
            file(STRINGS ${PROJECT_SOURCE_DIR}/${source} includes
                 REGEX "#include \"((ACAPinc|APIdefs_[A-Za-z]+|APIErrors)\\.h|internal/[A-Za-z]+\\.hpp)\"")
            file(STRINGS ${PROJECT_SOURCE_DIR}/${source} calls REGEX "ACAPI_[A-Za-z0-9_]+ *\\(")
            list(FILTER calls EXCLUDE REGEX "^[ \t]*//")
            list(FIND listed ${source} at)
            if(includes OR calls)
                if(at EQUAL -1)
                    list(APPEND offenders ${source})
                endif()
            elseif(NOT at EQUAL -1)
                list(APPEND stale ${source})
            endif()
        endforeach()
    endforeach()
    if(offenders)
        message(FATAL_ERROR "Only hostport/ may talk to the host; these files include a host API header or call "
                            "ACAPI_ directly (put the call into hostport/): ${offenders}")
    endif()
    if(stale)
        message(FATAL_ERROR "These files go through the port now: take them out of "
                            "hostport/not-yet-through-the-port.txt: ${stale}")
    endif()
endfunction()
korvel_check_one_door()
