# Writes the manual page of korbena-cli from its own help texts, so the two never
# drift apart: the whole help (--help) gives the synopsis, the description and the
# sections written "name:" at the start of a line; each command named under
# "commands:" contributes its COMMAND --help.
#
#   cmake -DCLI=path/to/korbena-cli -DOUT=korbena-cli.1 -DVERSION=x -P MakeManPage.cmake

cmake_minimum_required(VERSION 3.25)

function(run_cli out)
    execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "korbena-cli ${ARGN} failed (${rc})")
    endif()
    # CMake lists split at ";" outside brackets: keep both out of the way until the end.
    string(REPLACE ";" "@SEMI@" text "${text}")
    string(REPLACE "[" "@LB@" text "${text}")
    string(REPLACE "]" "@RB@" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# roff: backslashes, hyphens, and lines that would read as requests.
function(roff out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    string(REGEX REPLACE "\n+$" "" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

run_cli(help --help)
# Blocks are separated by an empty line: the synopsis, the description, then sections.
string(REPLACE "\n\n" ";" blocks "${help}")
list(POP_FRONT blocks synopsis description)
string(REGEX REPLACE "^usage: " "" synopsis "${synopsis}")
string(REGEX REPLACE "\n       " "\n" synopsis "${synopsis}")
roff(synopsis "${synopsis}")
roff(description "${description}")

set(page ".TH KORBENA\\-CLI 1 \"\" \"korbena ${VERSION}\" \"User Commands\"
.SH NAME
korbena\\-cli \\- print sheets of barcode labels and draw barcodes without a window
.SH SYNOPSIS
.nf
${synopsis}
.fi
.SH DESCRIPTION
${description}
")

set(command_names "")
foreach(block IN LISTS blocks)
    string(REGEX MATCH "^([a-z ]+):[ \n]?" head "${block}")
    string(STRIP "${CMAKE_MATCH_1}" name)
    string(TOUPPER "${name}" title)
    string(LENGTH "${head}" skip)
    string(SUBSTRING "${block}" ${skip} -1 body)
    if(name STREQUAL "commands")
        # One line per command: its name, a gap, what it does.
        string(REGEX MATCHALL "(^|\n)  [a-z]+   " found "${body}")
        foreach(command IN LISTS found)
            string(STRIP "${command}" command)
            list(APPEND command_names ${command})
        endforeach()
        set(page "${page}.SH COMMANDS\n")
        foreach(command IN LISTS command_names)
            run_cli(usage ${command} --help)
            roff(usage "${usage}")
            set(page "${page}.SS ${command}\n.nf\n${usage}\n.fi\n")
        endforeach()
    else()
        roff(body "${body}")
        set(page "${page}.SH ${title}\n.nf\n${body}\n.fi\n")
    endif()
endforeach()

set(page "${page}.SH SEE ALSO
The manual ${SHARED}/barcode.pdf (Japanese), and the desktop program korbena.
")
string(REPLACE "@SEMI@" ";" page "${page}")
string(REPLACE "@LB@" "[" page "${page}")
string(REPLACE "@RB@" "]" page "${page}")
file(WRITE ${OUT} "${page}")
