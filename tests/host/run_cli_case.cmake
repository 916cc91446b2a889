# Runs the tool as a process (through the cross-compiling emulator when there is one) and checks
# its exit code, its messages and that no output file is left behind.
#   -DCOMMAND=a|b|c        the program and its arguments, separated by |
#   -DEMULATOR=x|y         the emulator command, if any
#   -DEXPECT_CODE=n
#   -DEXPECT_STDERR=regex  (optional) -DEXPECT_STDOUT=regex (optional)
#   -DABSENT=path          (optional) a file that must not exist afterwards
#   -DPRESENT=path         (optional) a file that must exist afterwards
string(REPLACE "|" ";" command "${COMMAND}")
if(EMULATOR)
  string(REPLACE "|" ";" emulator "${EMULATOR}")
  list(PREPEND command ${emulator})
endif()
if(ABSENT)
  file(REMOVE "${ABSENT}")
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(failed "")
if(NOT "${code}" STREQUAL "${EXPECT_CODE}")
  string(APPEND failed "exit code ${code}, expected ${EXPECT_CODE}\n")
endif()
if(DEFINED EXPECT_STDERR AND NOT err MATCHES "${EXPECT_STDERR}")
  string(APPEND failed "stderr does not match '${EXPECT_STDERR}'\n")
endif()
if(DEFINED EXPECT_STDOUT AND NOT out MATCHES "${EXPECT_STDOUT}")
  string(APPEND failed "stdout does not match '${EXPECT_STDOUT}'\n")
endif()
if(ABSENT AND EXISTS "${ABSENT}")
  string(APPEND failed "${ABSENT} was left behind\n")
endif()
if(PRESENT AND NOT EXISTS "${PRESENT}")
  string(APPEND failed "${PRESENT} was not written\n")
endif()
if(failed)
  message(FATAL_ERROR "${failed}--- command: ${command}\n--- stdout:\n${out}\n--- stderr:\n${err}")
endif()
