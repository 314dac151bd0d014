# Rewrites the scale points of a JUCE-generated LV2 description (dsp.ttl) in the
# parameter's own units:  cmake -DTTL=<bundle>/dsp.ttl -P FixLv2ScalePoints.cmake
#
# JUCE 7 writes the rdf:value of every scale point as a normalised 0..1 value, while the
# parameter's lv2:minimum and lv2:maximum (and the values the plug-in reads from a host)
# are plain values. A host offering "2x" from the oversampling menu then sends 0.25,
# which the plug-in reads as 1x. A description that already holds plain values is left
# as it is, so the step is harmless once the framework writes them itself.
if(NOT TTL OR NOT EXISTS "${TTL}")
    message(FATAL_ERROR "FixLv2ScalePoints: no description at '${TTL}'")
endif()

file(READ "${TTL}" text)

# Turtle is full of ';' and '[', which CMake lists treat specially: mask them while the
# text is handled as a list of statements.
string(REPLACE ";" "@SEMICOLON@" text "${text}")
string(REPLACE "[" "@OPEN@" text "${text}")
string(REPLACE "]" "@CLOSE@" text "${text}")
string(REPLACE "\n\n" ";" statements "${text}")

set(result "")
set(changed 0)

foreach(statement IN LISTS statements)
    string(REGEX MATCHALL "rdf:value [^ \t@]+" values "${statement}")
    list(LENGTH values count)

    if(count GREATER 1
       AND statement MATCHES "lv2:minimum -?[0-9]+[ \t@]"
       AND statement MATCHES "lv2:maximum -?[0-9]+[ \t@]")
        string(REGEX MATCH "lv2:minimum (-?[0-9]+)[ \t@]" ignored "${statement}")
        set(minimum "${CMAKE_MATCH_1}")
        string(REGEX MATCH "lv2:maximum (-?[0-9]+)[ \t@]" ignored "${statement}")
        set(maximum "${CMAKE_MATCH_1}")
        list(GET values -1 last)
        math(EXPR steps "${count} - 1")

        if(last STREQUAL "rdf:value 1"
           AND NOT maximum EQUAL 1)
            math(EXPR span "${maximum} - ${minimum}")
            math(EXPR remainder "${span} % ${steps}")

            if(NOT remainder EQUAL 0)
                message(WARNING "FixLv2ScalePoints: cannot place ${count} scale points evenly in ${minimum}..${maximum}; left as they are")
            else()
                math(EXPR step "${span} / ${steps}")
                set(index 0)
                foreach(value IN LISTS values)
                    math(EXPR plain "${minimum} + ${index} * ${step}")
                    # Marked as done, so that a later value is never rewritten twice.
                    string(REPLACE "${value} " "rdf:@FIXED@${plain} " statement "${statement}")
                    math(EXPR index "${index} + 1")
                endforeach()
                string(REPLACE "rdf:@FIXED@" "rdf:value " statement "${statement}")
                set(changed 1)
            endif()
        endif()
    endif()

    string(APPEND result "${statement}\n\n")
endforeach()

if(changed)
    string(REGEX REPLACE "\n\n$" "" result "${result}")
    string(REPLACE "@SEMICOLON@" ";" result "${result}")
    string(REPLACE "@OPEN@" "[" result "${result}")
    string(REPLACE "@CLOSE@" "]" result "${result}")
    file(WRITE "${TTL}" "${result}")
endif()
