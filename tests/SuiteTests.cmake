# One CTest test per GoogleTest suite of a test program, each suite run in a
# process of its own: a Wine process start costs about as much as a test, so a
# process per case would pay it some 150 times. The suites are listed by the
# program itself when CTest starts (again whenever the program is newer than
# the list), so a new suite, or a new file of tests, needs nothing here.
# Under Wine each suite asks CTest for a lane (tools/test.sh runs the lanes
# side by side, one Wine session each) and runs in that lane's session.
#   kovana_add_suite_tests(TARGET)         in the tests' CMakeLists.txt
# CTest then includes the generated file, which calls kovana_write_suite_tests.

# The longest a suite may take; a case that hangs ends the suite here.
set(KOVANA_SUITE_TIMEOUT 300)

function(kovana_add_suite_tests target)
    set(tests_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
    get_property(emulator TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR)
    if(emulator)
        set(emulator bash ${CMAKE_SOURCE_DIR}/tools/test-lane.sh ${emulator})
    endif()
    file(GENERATE OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake" CONTENT
"# tools/test.sh describes its lanes here while it runs.
if(EXISTS [==[${CMAKE_BINARY_DIR}/test-lanes.json]==])
    set(CTEST_RESOURCE_SPEC_FILE [==[${CMAKE_BINARY_DIR}/test-lanes.json]==])
endif()
if(NOT EXISTS [==[$<TARGET_FILE:${target}>]==])
    add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)
    return()
endif()
if(NOT EXISTS [==[${tests_file}]==] OR NOT [==[${tests_file}]==] IS_NEWER_THAN [==[$<TARGET_FILE:${target}>]==])
    include([==[${CMAKE_CURRENT_FUNCTION_LIST_FILE}]==])
    kovana_write_suite_tests([==[${emulator}]==] [==[$<TARGET_FILE:${target}>]==] [==[${tests_file}]==]
                             [==[${CMAKE_CURRENT_BINARY_DIR}]==])
endif()
include([==[${tests_file}]==])
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake")
endfunction()

# Writes the add_test calls of the program's suites into tests_file.
function(kovana_write_suite_tests emulator program tests_file working_dir)
    execute_process(COMMAND ${emulator} "${program}" --gtest_list_tests
                    WORKING_DIRECTORY "${working_dir}" TIMEOUT 60
                    OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${program} --gtest_list_tests failed (${result}):\n${listing}${errors}")
    endif()
    # A suite's line is its name and a dot, then for typed suites a comment;
    # its cases follow, indented. Only the cases' comments may hold semicolons.
    string(REPLACE ";" "," listing "${listing}")
    string(REPLACE "\n" ";" lines "${listing}")
    set(suites "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^([^ #]+)\\.( .*)?$")
            set(suite "${CMAKE_MATCH_1}")
            list(APPEND suites "${suite}")
            set(cases_${suite} 0)
        elseif(line MATCHES "^  " AND suites)
            math(EXPR cases_${suite} "${cases_${suite}} + 1")
        endif()
    endforeach()
    set(command "")
    foreach(argument IN LISTS emulator ITEMS "${program}")
        string(APPEND command " [==[${argument}]==]")
    endforeach()
    set(script "")
    foreach(suite IN LISTS suites)
        # The suites with the most cases start first, so that the lanes end
        # together.
        string(APPEND script
            "add_test([==[${suite}]==]${command} [==[--gtest_filter=${suite}.*]==])\n"
            "set_tests_properties([==[${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${working_dir}]==]"
            " TIMEOUT ${KOVANA_SUITE_TIMEOUT} RESOURCE_GROUPS lane:1 COST ${cases_${suite}})\n")
    endforeach()
    file(WRITE "${tests_file}" "${script}")
endfunction()
