# Runs the fuzzer for a few seconds. New inputs go to a scratch folder that is removed
# afterwards, so the checked-in corpus is only read.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1
                        ${SCRATCH} ${CORPUS}
                RESULT_VARIABLE result)
file(REMOVE_RECURSE ${SCRATCH})
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pak_fuzz failed: ${result}")
endif()
