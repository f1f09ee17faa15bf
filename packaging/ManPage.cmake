# Writes a man page from a program's --help (and the --help of each of its commands) with
# help2man, gzipped, so that the page always says what the program says.
#   cmake -DHELP2MAN=... -DGZIP=... -DPROGRAM=path -DNAME="one-line summary"
#         [-DCOMMANDS="a;b"] -DOUTPUT=dir/name.1.gz -P ManPage.cmake
get_filename_component(program_name ${PROGRAM} NAME)
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" page ${OUTPUT})
set(include_file ${page}.include)

# A command's help, as preformatted text in its own subsection.
set(include_text "")
if(COMMANDS)
    string(APPEND include_text "[COMMANDS]\n")
    foreach(command ${COMMANDS})
        execute_process(COMMAND ${PROGRAM} ${command} --help
                        OUTPUT_VARIABLE help RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${program_name} ${command} --help failed: ${result}")
        endif()
        string(REPLACE "\\" "\\e" help "${help}")
        string(REPLACE "-" "\\-" help "${help}")
        string(APPEND include_text ".SS \"${program_name} ${command}\"\n.nf\n${help}.fi\n")
    endforeach()
endif()
set(include_option)
if(include_text)
    file(WRITE ${include_file} "${include_text}")
    set(include_option --include=${include_file})
endif()

# Programs that can open a window are kept off the display, and from hanging the build.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --section=1 --name=${NAME} ${include_option}
            --output=${page} ${PROGRAM}
    TIMEOUT 60
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "help2man ${program_name} failed: ${result}")
endif()
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${GZIP} -9n ${page} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${page} failed: ${result}")
endif()
