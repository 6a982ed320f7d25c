# Creates the sample database with the freshly built program, never over an existing file.
if(EXISTS "${DATABASE}")
    return()
endif()
execute_process(COMMAND "${GEARLOG}" --create-database "${DATABASE}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not create the sample database ${DATABASE}")
endif()
