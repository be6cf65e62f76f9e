# What the image scripts share: the check of a PNG file a program wrote.

# Stops the test unless the file exists and starts with the PNG signature.
function(verifier_png chemin)
    if(NOT EXISTS ${chemin})
        message(FATAL_ERROR "no image written to ${chemin}")
    endif()
    file(READ ${chemin} signature LIMIT 8 HEX)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        message(FATAL_ERROR "not PNG data: ${signature}")
    endif()
endfunction()
