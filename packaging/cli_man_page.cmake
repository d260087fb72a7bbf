# Writes tabvex-cli's man page with help2man: the overview from `tabvex-cli --help`,
# then a COMMANDS section holding each command's own --help, so that the page says
# what the program itself says.
#   cmake -DCLI=tabvex-cli -DHELP2MAN=help2man -DINCLUDE=tabvex-cli.h2m -DOUTPUT=tabvex-cli.1
#         -P cli_man_page.cmake
execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE overview RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed (${result})")
endif()

# The commands are the indented lines after "Commands:", less --help and --version.
string(FIND "${overview}" "\nCommands:\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${CLI} --help lists no commands")
endif()
string(SUBSTRING "${overview}" ${start} -1 listing)
string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" names "${listing}")

set(sections "")
foreach(line IN LISTS names)
  string(STRIP "${line}" name)
  execute_process(COMMAND ${CLI} ${name} --help OUTPUT_VARIABLE text RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${CLI} ${name} --help failed (${result})")
  endif()
  # The help as it is printed (no filling), made safe for roff: backslashes and
  # hyphens escaped, no line starting with a control character.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(APPEND sections ".SS ${name}\n.nf\n${text}.fi\n")
endforeach()

file(READ ${INCLUDE} fixed)
set(include_file ${OUTPUT}.h2m)
file(WRITE ${include_file} "${fixed}\n[COMMANDS]\n${sections}")
execute_process(COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
                        "--name=copy Access databases into Excel 97-2003 workbooks, without a window"
                        --include=${include_file} --output=${OUTPUT} ${CLI}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "help2man failed (${result})")
endif()
