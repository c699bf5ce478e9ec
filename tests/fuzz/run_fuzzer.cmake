# Runs one fuzzer for a bounded time on a fresh copy of its seed corpus:
#   cmake -DFUZZER=exe -DCORPUS=dir -DWORK=dir -DSECONDS=n -P run_fuzzer.cmake
# Fails when the fuzzer fails or ends without reporting the runs it made.
file(REMOVE_RECURSE ${WORK})
file(COPY ${CORPUS}/ DESTINATION ${WORK})
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -seed=1 -print_final_stats=1 ${WORK}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
message("${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed: ${result}")
endif()
if(NOT output MATCHES "Done [0-9]+ runs")
  message(FATAL_ERROR "${FUZZER} reported no runs")
endif()
