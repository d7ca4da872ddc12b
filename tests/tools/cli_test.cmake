# Runs the siteswap tool the way a script would and checks its lines and exit codes.
function(expect_run expected_code expected_output)
    execute_process(COMMAND ${SITESWAP} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "siteswap ${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    string(FIND "${out}" "${expected_output}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "siteswap ${ARGN}: output lacks\n  ${expected_output}\ngot\n  ${out}")
    endif()
endfunction()

expect_run(0 [=[{"siteswap":"531","valid":true,"balls":3,"period":6,"spread":1,"terms":[{"value":5,"rCount":0,"qCount":0},{"value":3,"rCount":0,"qCount":0},{"value":1,"rCount":0,"qCount":1}],"startLoop":72,"endLoop":264,"maxWidth":80,"maxHeight":226.725021}]=] info 531)
expect_run(0 [=["spread":1.67999995]=] info 9)
expect_run(1 [=[{"siteswap":"432","valid":false,"reason":"throws 1 and 2 land on the same beat"}]=] info 5 432)
expect_run(1 [=["reason":"'R' at position 2 cannot start a throw"]=] info 3R)
expect_run(2 "" info)
expect_run(2 "" frobnicate)
expect_run(2 "" points 3 --at nan)
expect_run(0 [=[{"time":64,"balls":[[-37.5,71.2000046],[-5,60],[80,-20]],"hands":[[80,-20],[-5,60]]}]=] points 3 --at 64)
expect_run(0 [=[{"from":"5","to":"3","at":10,"endSiteSwap1":160,"startTransition":128,"endTransition":352,"startSiteSwap2":256,"balls":5,"startLoop":416,"endLoop":416]=] transition 5 3 --at 10 --points 200)
expect_run(1 [=["siteswap":"54","valid":false]=] transition 5 54 --at 0)

# Standard input: one siteswap per line, answers in order.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/list.txt "5\n12\n")
execute_process(COMMAND ${SITESWAP} info - INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/list.txt
                RESULT_VARIABLE code OUTPUT_VARIABLE out)
string(REGEX MATCHALL "\"siteswap\":\"[^\"]*\"" names "${out}")
if(NOT code EQUAL 1 OR NOT names STREQUAL "\"siteswap\":\"5\";\"siteswap\":\"12\"")
    message(FATAL_ERROR "info - gave ${code}: ${out}")
endif()
