add_library(kelvane_common INTERFACE)
target_compile_features(kelvane_common INTERFACE cxx_std_20)
target_compile_definitions(kelvane_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER)
target_compile_options(kelvane_common INTERFACE -Wall -Wextra -pedantic)
