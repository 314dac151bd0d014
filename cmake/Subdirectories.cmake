# Adds every direct sub-folder of the current folder that has a CMakeLists.txt, so that a
# new tool, test group or benchmark needs no edit of its parent.
function(vesk_add_subdirectories)
    file(GLOB children LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/*")
    foreach(dir IN LISTS children)
        if(IS_DIRECTORY "${dir}" AND EXISTS "${dir}/CMakeLists.txt")
            add_subdirectory("${dir}")
        endif()
    endforeach()
endfunction()
