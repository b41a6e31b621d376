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
# Every line written, not only equal ones: 22,018 values (5 picked, 12 by their
# bits, 2,001 tenths, 20,000 random) formatted in each of three locales, and the
# 20,018 texts parsed in each with every format written so far, 42,036 + 64,054
# + 86,072 in all: 258,216 lines.
add_test(NAME number_texts
         COMMAND sh -c "\"$0\" > native.txt && \"$1\" \"$2\" > module.txt && cmp native.txt module.txt && test $(wc -l < native.txt) -eq 258216"
                 ${native} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:number_texts>
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# The table in Chromium, the phone's touch screen included.
corvex_e2e(web --site ${CMAKE_BINARY_DIR}/site --skip qt --skip win --skip desk)
