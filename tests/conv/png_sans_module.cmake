# The converter copied alone into a folder, without its image module: a run
# without --png converts as the converter beside the module does (it never
# needs it), a run with --png fails with status 2, says that the module is
# missing and leaves no image.
set(seul ${DOSSIER}/conv_seul)
file(REMOVE_RECURSE ${seul})
file(MAKE_DIRECTORY ${seul})
file(COPY ${CONV} DESTINATION ${seul})
get_filename_component(nom ${CONV} NAME)
set(SEPT 0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982)
execute_process(COMMAND ${CONV} ${SEPT} OUTPUT_VARIABLE attendu RESULT_VARIABLE r0)
execute_process(COMMAND ${seul}/${nom} ${SEPT} OUTPUT_VARIABLE rapport RESULT_VARIABLE r1)
if(NOT r0 EQUAL 0 OR NOT r1 EQUAL 0 OR NOT rapport STREQUAL attendu)
    message(FATAL_ERROR "without the module: status ${r1}, report\n${rapport}\nexpected\n${attendu}")
endif()
execute_process(COMMAND ${seul}/${nom} ${SEPT} --png ${seul}/image.png
                RESULT_VARIABLE r2 ERROR_VARIABLE erreur)
if(NOT r2 EQUAL 2 OR NOT erreur MATCHES "module d'image introuvable" OR EXISTS ${seul}/image.png)
    message(FATAL_ERROR "--png without the module: status ${r2}, ${erreur}")
endif()
file(REMOVE_RECURSE ${seul})
