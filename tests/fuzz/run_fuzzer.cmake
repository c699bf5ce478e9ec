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
if(NOT output MATCHES "Done ([0-9]+) runs in ([0-9]+) second")
  message(FATAL_ERROR "${FUZZER} reported no runs")
endif()
set(runs ${CMAKE_MATCH_1})
set(seconds ${CMAKE_MATCH_2})
# The last progress line holds the coverage reached: edges (cov), features (ft)
# and the corpus it grew to.
string(REGEX MATCHALL "cov: [0-9]+ ft: [0-9]+ corp: [0-9]+" progress "${output}")
list(POP_BACK progress reached)
get_filename_component(name ${FUZZER} NAME_WE)
message("${name}: ${runs} runs in ${seconds} s; ${reached}")
