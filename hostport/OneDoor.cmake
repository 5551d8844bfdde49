# Only hostport/ talks to the host: an add-on file elsewhere that includes a host API header
# (ACAPinc.h, APIdefs_*.h, APIErrors.h) or one of the port's internal/ headers, or calls an
# ACAPI_ function, or asks which host generation it is built for (KORVEL_HOST_GENERATION),
# fails the configuration. The port's own public headers include none of
# them either. Run at configuration and, as `cmake -P` with KORVEL_SOURCE_DIR, by the target
# one_door on every build, so an edit is caught without configuring again.
if(NOT KORVEL_SOURCE_DIR)
    set(KORVEL_SOURCE_DIR ${PROJECT_SOURCE_DIR})
endif()
function(korvel_check_one_door)
    set(depends CONFIGURE_DEPENDS)
    if(CMAKE_SCRIPT_MODE_FILE)
        set(depends)
    endif()
    set(folders aclink catalogue export import palettes update Sources net log parsers model)
    set(offenders)
    set(hostHeader "#include \"((ACAPinc|APIdefs_[A-Za-z]+|APIErrors)\\.h|internal/[A-Za-z]+\\.hpp)\"")
    foreach(folder ${folders})
        file(GLOB_RECURSE sources RELATIVE ${KORVEL_SOURCE_DIR} ${depends}
             ${KORVEL_SOURCE_DIR}/${folder}/*.cpp ${KORVEL_SOURCE_DIR}/${folder}/*.hpp ${KORVEL_SOURCE_DIR}/${folder}/*.h)
        foreach(source ${sources})
            file(STRINGS ${KORVEL_SOURCE_DIR}/${source} includes REGEX "${hostHeader}")
            file(STRINGS ${KORVEL_SOURCE_DIR}/${source} calls REGEX "ACAPI_[A-Za-z0-9_]+ *\\(")
            list(FILTER calls EXCLUDE REGEX "^[ \t]*//")
            file(STRINGS ${KORVEL_SOURCE_DIR}/${source} generation REGEX "KORVEL_HOST_GENERATION")
            if(includes OR calls OR generation)
                list(APPEND offenders ${source})
            endif()
        endforeach()
    endforeach()
    file(GLOB portHeaders RELATIVE ${KORVEL_SOURCE_DIR} ${depends} ${KORVEL_SOURCE_DIR}/hostport/*.hpp)
    foreach(header ${portHeaders})
        file(STRINGS ${KORVEL_SOURCE_DIR}/${header} includes REGEX "${hostHeader}")
        if(includes)
            list(APPEND offenders ${header})
        endif()
    endforeach()
    if(offenders)
        message(FATAL_ERROR "Only hostport/ may talk to the host, and its public headers include no host API "
                            "header, and only hostport/ tells the host generations apart; these do (put the call or "
                            "the generation's difference into hostport/, the host's records into hostport/*.cpp or "
                            "hostport/internal/): ${offenders}")
    endif()
endfunction()
korvel_check_one_door()
if(CMAKE_SCRIPT_MODE_FILE)
    return()
endif()
add_custom_target(one_door ALL
                  COMMAND ${CMAKE_COMMAND} -DKORVEL_SOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${CMAKE_CURRENT_LIST_FILE}
                  COMMENT "Only hostport/ talks to the host"
                  VERBATIM)
