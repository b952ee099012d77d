# cmake -DPROGRAM=... -DARGS=a;b -DEXPECTED=file -P CompareOutput.cmake: the program's standard
# output must equal the file.
execute_process(COMMAND ${PROGRAM} ${ARGS} OUTPUT_VARIABLE actual RESULT_VARIABLE status
    TIMEOUT 30)
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0 OR NOT actual STREQUAL expected)
    message(FATAL_ERROR "exit ${status}; output:\n${actual}\nexpected:\n${expected}")
endif()
