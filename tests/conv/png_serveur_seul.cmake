# Runs cyclide-conv --png RUNS times against an X server of its own, started
# as xvfb-run starts it (it resets whenever its last client leaves), with
# these runs as its only clients: every run must succeed and write its
# image. A converter that let go of its display probe before the toolkit
# connected lost about one run in fifteen to the server's reset.
execute_process(
    COMMAND ${XVFB_RUN} -a -s "-screen 0 640x480x24" ${CMAKE_COMMAND} -DCONV=${CONV}
            -DSORTIE=${SORTIE} -DRUNS=${RUNS} -P ${CMAKE_CURRENT_LIST_DIR}/png_serveur_seul_runs.cmake
    RESULT_VARIABLE resultat)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "a run against the server of its own failed: ${resultat}")
endif()
