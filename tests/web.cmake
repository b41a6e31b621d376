# The web tree: the number texts of the module against the native ones, and
# the end-to-end table against the page in Chromium.
add_executable(number_texts number_texts.cpp)
target_include_directories(number_texts PRIVATE unit)
target_link_libraries(number_texts PRIVATE corvex_tuning)
target_link_options(number_texts PRIVATE -sWASM_ASYNC_COMPILATION=0)
# The same program built for this machine, with its own compiler and library.
set(native ${CMAKE_CURRENT_BINARY_DIR}/number_texts_native)
add_custom_command(OUTPUT ${native}
    COMMAND c++ -std=c++20 -O1 -I${PROJECT_SOURCE_DIR}/tuning -I${CMAKE_CURRENT_SOURCE_DIR}/unit
            ${CMAKE_CURRENT_SOURCE_DIR}/number_texts.cpp ${PROJECT_SOURCE_DIR}/tuning/numbertext.cpp
            -o ${native}
    DEPENDS number_texts.cpp ${PROJECT_SOURCE_DIR}/tuning/numbertext.cpp
            ${PROJECT_SOURCE_DIR}/tuning/numbertext.h)
add_custom_target(number_texts_native ALL DEPENDS ${native})
add_test(NAME number_texts
         COMMAND sh -c "\"$0\" > native.txt && \"$1\" \"$2\" > module.txt && cmp native.txt module.txt && wc -l < native.txt"
                 ${native} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:number_texts>
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# The table in Chromium: English and German, the rows marked x2 at 2, 1.5 and
# 1.25 times, and all of them on a phone's touch screen at three times.
set(e2e ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run.py)
set(resources ${PROJECT_SOURCE_DIR}/resources)
foreach(pass "C;1;" "de_DE;1;" "C;2;x2" "C;1.5;x2" "C;1.25;x2" "C;3;phone")
    list(GET pass 0 locale)
    list(GET pass 1 scale)
    list(GET pass 2 only)
    set(test e2e_web_${locale}_x${scale})
    set(rows --skip qt --skip win --skip desk)
    if(only STREQUAL "phone")
        list(APPEND rows --phone)
    elseif(only)
        list(APPEND rows --only ${only})
    endif()
    add_test(NAME ${test}
             COMMAND /usr/bin/python3 ${e2e} --site ${CMAKE_BINARY_DIR}/site --images ${resources}
                     --resources ${resources} --work ${CMAKE_CURRENT_BINARY_DIR}/${test}
                     --locale ${locale} --scale ${scale}
                     --design "${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:design_table>" ${rows})
    set_tests_properties(${test} PROPERTIES TIMEOUT 900)
endforeach()
