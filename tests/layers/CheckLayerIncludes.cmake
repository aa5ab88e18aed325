# Preprocesses, with one layer's include directories, a header the layer may
# include (it must resolve) and one it may not (it must not be found).
# -DCOMPILER=... -DINCLUDES=a|b|c -DALLOWED=core/X.h -DFORBIDDEN=run/Y.h -DWORK=dir
string(REPLACE "|" ";" dirs "${INCLUDES}")
set(flags -std=c++20 -fPIC -E -o /dev/null)
foreach(dir IN LISTS dirs)
    list(APPEND flags -I${dir})
endforeach()
file(MAKE_DIRECTORY ${WORK})

function(preprocess header outcome_var message_var)
    string(MAKE_C_IDENTIFIER ${header} name)
    set(probe ${WORK}/${name}.cpp)
    file(WRITE ${probe} "#include \"${header}\"\n")
    execute_process(COMMAND ${COMPILER} ${flags} ${probe}
        RESULT_VARIABLE outcome ERROR_VARIABLE message)
    set(${outcome_var} ${outcome} PARENT_SCOPE)
    set(${message_var} "${message}" PARENT_SCOPE)
endfunction()

preprocess(${ALLOWED} outcome message)
if(NOT outcome EQUAL 0)
    message(FATAL_ERROR "${ALLOWED} does not resolve for its own layer:\n${message}")
endif()

preprocess(${FORBIDDEN} outcome message)
if(outcome EQUAL 0)
    message(FATAL_ERROR "${FORBIDDEN} resolves, though the layer does not link it")
endif()
if(NOT message MATCHES "${FORBIDDEN}: No such file or directory")
    message(FATAL_ERROR "${FORBIDDEN} fails for another reason than not being found:\n${message}")
endif()
