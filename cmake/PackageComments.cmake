# Run by CPack between the staged install and the packing
# (CPACK_PRE_BUILD_SCRIPTS): every packaged ELF file loses the compilers'
# .comment notes, as Debian's own packages do.
file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS files)
    if(NOT IS_SYMLINK "${file}")
        file(READ "${file}" magic LIMIT 4 HEX)
        if(magic STREQUAL "7f454c46")
            execute_process(COMMAND "${CPACK_JOBCOSTING_OBJCOPY}" --remove-section=.comment "${file}"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
    endif()
endforeach()
