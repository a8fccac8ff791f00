# The demo game of one test run (the CTest fixture demo_game): cmake -DDEMO=PROGRAM -DFOLDER=FOLDER -P this.
# Written beside its place and moved there whole, so that no test copies half of it; an older one goes first.
file(REMOVE_RECURSE "${FOLDER}" "${FOLDER}.new")
execute_process(COMMAND "${DEMO}" "${FOLDER}.new" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot write the demo game into ${FOLDER}.new")
endif()
file(RENAME "${FOLDER}.new" "${FOLDER}")
