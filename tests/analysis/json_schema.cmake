# The --json document of a batch run, checked against the documented layout by
# json_schema.py. The input is copied first: a read writes its side files beside it.
set(work "${CMAKE_CURRENT_BINARY_DIR}/json_schema_work")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(COPY "${DATA}/fchk/water_springs.fchk" DESTINATION "${work}")
execute_process(COMMAND "${KELVORIN}" --batch water_springs.fchk --reanalyse --ped --report
                        --json - --json doc.json
                WORKING_DIRECTORY "${work}" RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kelvorin exited ${status}: ${err}")
endif()
file(WRITE "${work}/stdout.json" "${out}")
foreach(doc stdout.json doc.json)
  execute_process(COMMAND "${PYTHON}" "${CHECK}" INPUT_FILE "${work}/${doc}"
                  RESULT_VARIABLE checked ERROR_VARIABLE why)
  if(NOT checked EQUAL 0)
    message(FATAL_ERROR "${doc}: ${why}")
  endif()
endforeach()
