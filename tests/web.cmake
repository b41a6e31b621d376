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

# The table in Chromium, the phone's touch screen included.
corvex_e2e(web --site ${CMAKE_BINARY_DIR}/site --skip qt --skip win --skip desk)
