# -DVESK_SANITIZE=address,undefined (or thread) instruments every target of the build.
if(VESK_SANITIZE)
    string(REPLACE "," ";" _vesk_sanitizers "${VESK_SANITIZE}")
    foreach(_s IN LISTS _vesk_sanitizers)
        add_compile_options(-fsanitize=${_s})
        add_link_options(-fsanitize=${_s})
    endforeach()
    add_compile_options(-fno-omit-frame-pointer -fno-sanitize-recover=all)
endif()
