// Every Russian text the program can show is accounted for. The texts come from the program's
// translation calls (tr() and QCoreApplication::translate()), as Qt's lupdate extracts them into
// program_texts.ts at build time: each is in the reviewed table below, and each one the table
// marks as needing the help page (messages, reasons of failures, captions and titles) appears in
// files/help.htm. Texts that explain themselves (tooltips, the about window's lines) are listed
// with the reason. No Cyrillic string literal of the sources may stay outside a translation call,
// where lupdate would not see it.
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>

namespace {

enum class Need {
    Help,    // a message, a reason or a caption: the help page must contain it
    Tooltip, // a control's tooltip: says itself what the control is for
    Obvious, // explains itself where it is shown (see the note)
};

struct Text {
    const char* text; // UTF-8, exactly as in the translation call after escapes
    Need need;
};

// Reviewed: every text below was checked against where the program shows it.
// clang-format off
const Text reviewed[] = {
    // Messages in the answer area and in message boxes.
    {"Одного решения нет", Need::Help},
    {"Переполнение при вычислении", Need::Help},
    {"Ничего не помню", Need::Help},
    {"Нет данных", Need::Help},
    {"Файл %1 повреждён: первое значение «%2» не задаёт порядок массива (ожидается положение от 2 до 10).", Need::Help},
    {"Вы уверены что хотите создать Новый SaveList?\r\nНовый SaveList заменит старый.\r\nПодробности в справке.", Need::Help},
    {"Создан новый SaveList", Need::Help},
    {"Имя «%1» не годится для массива: %2.", Need::Help},
    {"Не удалось открыть справку: в системе не запускается браузер.\r\nУстановите браузер (например, пакет firefox-esr или chromium) и пакет xdg-utils.\r\nСтраница справки: %1", Need::Help},
    {"Не удалось %1 файл %2: %3.", Need::Help},
    {"прочитать", Need::Help},
    {"записать", Need::Help},
    {"открыть", Need::Help},
    // Reasons of a failed file operation.
    {"на диске нет места", Need::Help},
    {"диск доступен только для чтения", Need::Help},
    {"нет прав доступа", Need::Help},
    {"файл не найден", Need::Help},
    {"на месте файла находится папка", Need::Help},
    {"это не обычный файл", Need::Help},
    {"это не обычный файл, а канал (FIFO)", Need::Help},
    {"это не обычный файл, а устройство", Need::Help},
    {"это не обычный файл, а сокет", Need::Help},
    {"файл больше допустимых %1", Need::Help},
    {"в файле есть строка длиннее допустимых %1", Need::Help},
    {"в списке больше %1 имён", Need::Help},
    {"файл стал бы больше допустимых %1, и программа не смогла бы его прочитать", Need::Help},
    {"в файле была бы строка длиннее допустимых %1, и программа не смогла бы его прочитать", Need::Help},
    {"в списке стало бы больше %1 имён, и программа не смогла бы его прочитать", Need::Help},
    // The sizes those reasons name.
    {"%1 КБ", Need::Obvious},
    {"%1 МБ", Need::Obvious},
    {"%1 байт", Need::Obvious},
    {"путь к файлу проходит через файл, а не папку", Need::Help},
    {"слишком длинное имя файла", Need::Help},
    {"открыто слишком много файлов", Need::Help},
    {"ошибка ввода-вывода", Need::Help},
    {"ошибка чтения", Need::Help},
    {"ошибка записи", Need::Help},
    {"ошибка чтения (код %1)", Need::Help},
    {"ошибка записи (код %1)", Need::Help},
    {"нет папки «%1»", Need::Help},
    {"«%1» — это файл, а не папка", Need::Help},
    {"файл пуст", Need::Help},
    {"знак «%1» нельзя сохранить в кодировке Windows-1251", Need::Help},
    // Only a call out of turn inside the program could give this; no user's action does.
    {"журнал ответов не открыт", Need::Obvious},
    {"журнал ответов прочитан не до конца", Need::Obvious},
    // Reasons a name cannot name an array.
    {"имя массива пусто", Need::Help},
    {"имя массива длиннее %1 знаков", Need::Help},
    {"в имени массива есть знак «%1», недопустимый в имени файла", Need::Help},
    {"в имени массива есть управляющий знак", Need::Help},
    {"имя «%1» обозначает папку", Need::Help},
    {"имя массива начинается или кончается пробелом", Need::Help},
    {"имя массива кончается точкой", Need::Help},
    {"имя «%1» занято системой", Need::Help},
    {"файл «%1» принадлежит самой программе", Need::Help},
    // Window titles, message box titles, menus, menu items and captions.
    {"Решение систем уравнений", Need::Help},
    {"Редактор массивов", Need::Help},
    {"Сохранение/Загрузка массивов", Need::Help},
    {"О программе", Need::Help},
    {"Ошибка", Need::Help},
    {"Готово", Need::Help},
    {"Создать SaveList", Need::Help},
    {"Файл", Need::Help},
    {"Данные", Need::Help},
    {"Анимация", Need::Help},
    {"Помощь", Need::Help},
    {"Последний ответ", Need::Help},
    {"Показать все ответы", Need::Help},
    {"Загружаются все ответы…", Need::Help},
    {"Выход из программы", Need::Help},
    {"Выгрузить массив", Need::Help},
    {"Редактор массивов...", Need::Help},
    {"Решить массив", Need::Help},
    {"Новый массив", Need::Help},
    {"Загрузить последний массив", Need::Help},
    {"Сохранить в последний массив", Need::Help},
    {"Загрузить/сохранить массив", Need::Help},
    {"Разрешить графику", Need::Help},
    {"Разрешить анимацию", Need::Help},
    {"Справка", Need::Help},
    {"Подробный отчет", Need::Help},
    {"Ввести данные", Need::Help},
    {"Первый ответ", Need::Help},
    {"Следующий ответ", Need::Help},
    {"Все ответы", Need::Help},
    {"Сохранить", Need::Help},
    {"Скрыть", Need::Help},
    {"Загрузить", Need::Help},
    {"Добавить в список", Need::Help},
    {"Редактировать список", Need::Help},
    {"Массив", Need::Help},
    {"Копировать", Need::Help},
    // Tooltips.
    {"Ввести матрицу", Need::Tooltip},
    {"Решить систему уравнений", Need::Tooltip},
    {"Сюда выводится ответ", Need::Tooltip},
    {"Первый ответ из LastAns", Need::Tooltip},
    {"Следующий ответ из LastAns", Need::Tooltip},
    {"Последний полученный ответ", Need::Tooltip},
    {"Показать и редактировать LastAns", Need::Tooltip},
    {"Содержимое LastAns", Need::Tooltip},
    {"Преобразованный массив", Need::Tooltip},
    {"Сохранить содержимое в LastAns", Need::Tooltip},
    {"Спрятать содержимое LastAns", Need::Tooltip},
    {"Содержимое массива", Need::Tooltip},
    {"Система уравнений", Need::Tooltip},
    {"Порядок массива", Need::Tooltip},
    {"Случайное содержимое массива", Need::Tooltip},
    {"Случайный порядок массива", Need::Tooltip},
    {"Сохранить/загрузить готовый массив", Need::Tooltip},
    {"Перейти на основное окно", Need::Tooltip},
    {"Сохранить текущий массив", Need::Tooltip},
    {"В какой файл сохраняем", Need::Tooltip},
    {"Добавить в SaveList", Need::Tooltip},
    {"Список доступных массивов", Need::Tooltip},
    {"Показать содержимое SaveList", Need::Tooltip},
    {"Содержимое SaveList", Need::Tooltip},
    {"Сохранить новое содержимое в SaveList", Need::Tooltip},
    {"Скрыть SaveList", Need::Tooltip},
    {"Перейти к редактору массивов", Need::Tooltip},
    // The steps window, the command line and the per-user folder: the messages and the window's
    // name are in the help page; the lines of the steps text and of "--help" explain themselves.
    {"slau: %1\nСписок параметров: slau --help\n", Need::Obvious},
    {"Показать версию программы и выйти.", Need::Obvious},
    {"Показать этот текст и выйти.", Need::Obvious},
    {"Работать в папке данных пользователя (%1): её папка files создаётся при первом запуске, вместе со страницей справки.", Need::Obvious},
    {"неизвестный параметр «%1».", Need::Obvious},
    {"параметру «%1» нужно значение.", Need::Obvious},
    {"slau: программе нужен графический сеанс, а подключиться к нему не удалось (не задана переменная DISPLAY или WAYLAND_DISPLAY, или дисплей недоступен).\n", Need::Obvious},
    {"Решение систем линейных уравнений порядка от 2 до 10.\nБез параметров программа работает с папкой files в текущей папке и не создаёт её.", Need::Obvious},
    {"лишний аргумент «%1».", Need::Obvious},
    {"Не удалось положить страницу справки в «%1»: %2.", Need::Help},
    {"Не удалось создать папку «%1».\r\nПрограмма работает с папкой files в текущей папке.", Need::Help},
    {"не удалось сослаться на страницу «%1»", Need::Help},
    {"нет страницы «%1»", Need::Help},
    {"страница программы не найдена", Need::Help},
    {"\nВ матрице есть значение, которое не является конечным числом: переполнение при вычислении.\n", Need::Obvious},
    {"\nИсключение остановлено на шаге %1: переполнение при вычислении.\n", Need::Obvious},
    {"\nОбратная подстановка:\n", Need::Obvious},
    {"\nПоследний диагональный элемент %1 не равен нулю: исключение закончено.\n", Need::Obvious},
    {"\nРешение: ", Need::Obvious},
    {"\nШаг %1: столбец %1, строки %1–%2.\n", Need::Obvious},
    {" (из равных по модулю взят верхний).\n", Need::Obvious},
    {"В столбце %1 от строки %1 вниз все элементы равны нулю: ведущего элемента нет.\n", Need::Obvious},
    {"В строке %1 получилось число вне диапазона чисел двойной точности.\n", Need::Obvious},
    {"В точной арифметике система вырождена (ранг %1 из %2): %3.\n", Need::Obvious},
    {"Ведущий элемент %1 в строке %2: наибольший по модулю в столбце %3", Need::Obvious},
    {"Внимание: в точной арифметике решение единственное, а при вычислении с плавающей точкой его не получилось.\n", Need::Obvious},
    {"Внимание: единственное решение выше получено только из-за ошибок округления, верного единственного решения нет.\n", Need::Obvious},
    {"Матрица после шага %1:\n", Need::Obvious},
    {"Матрица, когда исключение остановлено:\n", Need::Obvious},
    {"Наибольшая невязка |b - A·x|: %1\n", Need::Obvious},
    {"Не вычислен: в вычислении появились числа длиннее %1 цифр.\n", Need::Obvious},
    {"Неизвестное вышло за пределы чисел двойной точности: переполнение при вычислении.\n", Need::Obvious},
    {"Перестановка строк не нужна.\n", Need::Obvious},
    {"Проверка по системе, как она решалась:\n", Need::Obvious},
    {"Система, как она решалась (в последнем столбце правые части):\n", Need::Obvious},
    {"Строка %1: множитель %2 / %3 = %4; строка %1 - %5 × строка %6.\n", Need::Obvious},
    {"Строки %1 и %2 переставлены.\n", Need::Obvious},
    {"Точный ответ (по двоичным значениям чисел матрицы: она не совпадает с текстом редактора):\n", Need::Obvious},
    {"Точный ответ (числа взяты точно, как они записаны):\n", Need::Obvious},
    {"Число обусловленности κ∞: %1\n", Need::Obvious},
    {"Число обусловленности κ∞: ∞ (матрица точно вырождена)\n", Need::Obvious},
    {"решений бесконечно много", Need::Obvious},
    {"решений нет", Need::Obvious},
    {"Система плохо обусловлена: последние знаки ответа могут быть неверны", Need::Help},
    // The names assistive technology gives the two warnings while they say nothing.
    {"Как прочитаны числа", Need::Tooltip},
    {"Предупреждение об ответе", Need::Tooltip},
    // The editor's note on how a token was read.
    {"%1: «%2» прочитано как %3: %4.", Need::Help},
    {"Строка %1, столбец %2", Need::Help},
    {"Строка %1, правая часть", Need::Help},
    {" Ещё таких значений: %1.", Need::Help},
    {"дробную часть отделяйте точкой", Need::Help},
    {"лишний пробел: между числами ставьте один пробел", Need::Help},
    {"пустая ячейка вставленной таблицы", Need::Help},
    {"пишите только число: цифры, знак, точку, E", Need::Help},
    // The editor's note on a text with fewer or more numbers than the order needs.
    {"Число одно, а для порядка %1 нужно %2: оно взято на все места.", Need::Help},
    {"Чисел %1, а для порядка %2 нужно %3: %4.", Need::Help},
    {"лишнее число не используется", Need::Help},
    {"лишние %1 не используются", Need::Help},
    {"последнее число взято снова с начала (1-е)", Need::Help},
    {"последние %1 взяты снова с начала (с 1-го по %1-е)", Need::Help},
    {"недостающие %1 взяты по кругу, последним — %2-е", Need::Help},
    {"%1: «%2» прочитано как %3.", Need::Help},
    {"%1: «%2» прочитано как %3; ещё таких: %4.", Need::Help},
    {"Пример системы уравнений и её решения", Need::Obvious},
    {"Список не сохранён: %1.", Need::Help},
    {"Текст не вставлен в список: %1.", Need::Help},
    {"Решение по шагам…", Need::Help},
    {"Решение по шагам", Need::Help},
    // The methods the steps window offers.
    {"Как решала программа", Need::Obvious},
    {"Метод Гаусса", Need::Obvious},
    {"Метод Жордана–Гаусса", Need::Obvious},
    {"Метод Крамера", Need::Obvious},
    {"Матричный метод (обратная матрица)", Need::Obvious},
    {"Метод Барейса (без дробей)", Need::Obvious},
    {"Исследование совместности", Need::Obvious},
    // The steps text's further lines, the HTML page and the LaTeX it is saved as.
    {"\nТочнее: ", Need::Obvious},
    {" (проверено точно).", Need::Obvious},
    {" — Внимание: проверка не сошлась.", Need::Obvious},
    {"(уравнение %1)", Need::Obvious},
    {"В строке %1 модуль до третьего знака тот же, но меньше: %2 против %3.\n", Need::Obvious},
    {"Внимание: проверка A·x₀ = b, A·v = 0 не сошлась.\n", Need::Obvious},
    {"Внимание: система в числах двойной точности отличается от записанной (%1; таких чисел: %2). Ниже два ответа: «Решение» — для системы, как она решалась, «Точный ответ» — для системы, как она записана.\n", Need::Obvious},
    {"Общее решение: %1, где %2 — любые числа:\n", Need::Obvious},
    {"Определитель матрицы коэффициентов не показан: в нём больше %1 цифр.\n", Need::Obvious},
    {"Определитель матрицы коэффициентов: %1\n", Need::Obvious},
    {"Приведённый вид (ведущие единицы, в последнем столбце правые части):\n", Need::Obvious},
    {"Проверка точная: A·x₀ = b, и A·v = 0 для каждого v.\n", Need::Obvious},
    {"Противоречие: %1 даёт 0 = %2%3\n", Need::Obvious},
    // The exact methods of the steps window, their steps, checks and verdicts.
    {"\nrank A = %1 (ненулевых строк в левой части), rank (A|b) = %2, неизвестных n = %3.\n", Need::Obvious},
    {"\nrank A = %1 < rank (A|b) = %2: решений нет.\n", Need::Obvious},
    {"\nrank A = rank (A|b) = %1 < n = %2: решений бесконечно много, свободных неизвестных: %3.\n", Need::Obvious},
    {"\nrank A = rank (A|b) = %1 = n: решение единственное.\n", Need::Obvious},
    {"\nΔ%1 — столбец %1 заменён столбцом правых частей:\n", Need::Obvious},
    {"\nВсе деления выполнены нацело: числа остались целыми.\n", Need::Obvious},
    {"\nИсключение остановлено на шаге %1: одного решения нет.\n", Need::Obvious},
    {"\nКаждую строку делаем целой: умножаем её на наименьшее общее кратное знаменателей её чисел.\n", Need::Obvious},
    {"\nМатрицу [A | E] методом Жордана–Гаусса приводим к [E | A⁻¹]:\n", Need::Obvious},
    {"\nНа шаге %1 в левой половине не нашлось ведущего элемента: она не приводится к E. Матрица A вырождена (det A = 0), A⁻¹ не существует. По рангам:\n", Need::Obvious},
    {"\nОбратный ход:\n", Need::Obvious},
    {"\nОпределители вычислены точным исключением: произведение ведущих элементов со знаком перестановок строк.\n", Need::Obvious},
    {"\nОтвет вычисления в числах двойной точности (не решение записанной системы): ", Need::Obvious},
    {"\nПоследний диагональный элемент равен нулю: одного решения нет.\n", Need::Obvious},
    {"\nПриводим матрицу к приведённому ступенчатому виду: ведущий элемент делением строки делаем единицей, столбец над ним и под ним — нулями.\n", Need::Obvious},
    {"\nПриводим расширенную матрицу (A|b) к ступенчатому виду:\n", Need::Obvious},
    {"\nПрямой ход: приводим матрицу к ступенчатому виду.\n", Need::Obvious},
    {"\nШаг %1: в столбце %2 от первой строки без ведущего элемента вниз все элементы равны нулю: ведущего элемента нет, переходим к следующему столбцу.\n", Need::Obvious},
    {"\nШаг %1: ведущий элемент в строке %2, столбце %3.\n", Need::Obvious},
    {"\nШаг %1: столбец %2.\n", Need::Obvious},
    {"(%1 · стр. %2 − %3 · стр. %4) / %5", Need::Obvious},
    {"Δ = 0: правило Крамера неприменимо, по рангам:\n", Need::Obvious},
    {"Δ — определитель матрицы A:\n", Need::Obvious},
    {"Ведущий элемент %1 в строке %2: первый ненулевой элемент столбца %3 сверху среди строк без ведущего элемента.\n", Need::Obvious},
    {"Ведущих элементов меньше n: det A = 0.\n", Need::Obvious},
    {"Все числа целые: умножать строки не нужно.\n", Need::Obvious},
    {"Записанная система не имеет единственного решения (ранг %1 из %2): %3. ", Need::Obvious},
    {"Записанная система не имеет единственного решения. ", Need::Obvious},
    {"Из строки %1 вычитаем строку %2, умноженную на %3.\n", Need::Obvious},
    {"К строке %1 прибавляем строку %2, умноженную на %3.\n", Need::Obvious},
    {"К строке %1 прибавляем строку %2.\n", Need::Obvious},
    {"Из строки %1 вычитаем строку %2.\n", Need::Obvious},
    {"стр. %1 + стр. %2", Need::Obvious},
    {"стр. %1 − стр. %2", Need::Obvious},
    {"На шаге %1 появилось число длиннее %2 цифр: метод остановлен.\n", Need::Obvious},
    {"Ответ читается по строкам приведённого вида:\n", Need::Obvious},
    {"\nОтвет: %1.\n", Need::Obvious},
    {"Система уравнений:\n", Need::Obvious},
    {"\nСтупенчатому виду соответствует система:\n", Need::Obvious},
    {"Определитель или алгебраическое дополнение длиннее %1 цифр: метод остановлен.\n", Need::Obvious},
    {"\nA⁻¹ = A* / Δ, где Δ = det A, а A* — присоединённая матрица: транспонированная матрица алгебраических дополнений.\n", Need::Obvious},
    {"Δ = 0: матрица A вырождена, A⁻¹ не существует. По рангам:\n", Need::Obvious},
    {"Алгебраические дополнения Aij = (−1)^(i+j)·Mij, где Mij — определитель, который остаётся после вычёркивания строки i и столбца j:\n", Need::Obvious},
    {"\nОпределители второго порядка: произведение элементов главной диагонали минус произведение элементов побочной.\n", Need::Obvious},
    {"\nОпределители третьего порядка вычисляем по правилу Саррюса: три произведения со знаком плюс, три со знаком минус.\n", Need::Obvious},
    {"\nПроверка: подставляем ответ в каждое уравнение.\n", Need::Obvious},
    {"Ответ, который ниже дало вычисление в числах двойной точности, получен только из-за ошибок округления.\n", Need::Obvious},
    {"Ошибка: точная проверка по записанной системе не сошлась, ответ метода не показан.\n", Need::Obvious},
    {"Первый ненулевой элемент столбца %1 ниже ведущих строк стоит в строке %2: строки %3 и %2 переставлены.\n", Need::Obvious},
    {"По теореме Кронекера–Капелли ранги равны числу неизвестных: система совместна, решение единственное.\n", Need::Obvious},
    {"По теореме Кронекера–Капелли ранги равны, но меньше числа неизвестных: система совместна, решений бесконечно много, свободных неизвестных: %1.\n", Need::Obvious},
    {"По теореме Кронекера–Капелли ранги различны: система несовместна, решений нет.\n", Need::Obvious},
    {"Последний ведущий элемент со знаком перестановок строк — определитель умноженной системы: %1; det A = %1 / %2 = %3.\n", Need::Obvious},
    {"Проверка точная: A·A⁻¹ = E.\n", Need::Obvious},
    {"Проверка точная: A·x = b, и x совпадает с точным ответом.\n", Need::Obvious},
    {"Проверка точная: A·x = b.\n", Need::Obvious},
    {"Система, как она записана (в последнем столбце правые части):\n", Need::Obvious},
    {"Строка %1 ← %2.\n", Need::Obvious},
    {"Строку %1 делим на %2.\n", Need::Obvious},
    {"Строку %1 умножаем на %2.\n", Need::Obvious},
    {"Точную систему взять не удалось: в её записи есть число длиннее %1 цифр.\n", Need::Obvious},
    {"Точную систему взять не удалось: в матрице есть значение, которое не является конечным числом.\n", Need::Obvious},
    {"Числа взяты по их двоичным значениям: матрица, как она решалась, не совпадает с текстом редактора.\n", Need::Obvious},
    {"Шаг без дробей: a[i][j] ← (a[k][k]·a[i][j] − a[i][k]·a[k][j]) / (ведущий элемент предыдущего шага, на первом шаге 1).\n", Need::Obvious},
    {"стр. %1 + %2 · стр. %3", Need::Obvious},
    {"стр. %1 : %2", Need::Obvious},
    {"стр. %1 · %2", Need::Obvious},
    {"стр. %1 ↔ стр. %2", Need::Obvious},
    {"стр. %1 − %2 · стр. %3", Need::Obvious},
    {"Свободные неизвестные: %1.\n", Need::Obvious},
    {"Строка %1: множитель %2 / %3 = 0 точно; строка не меняется.\n", Need::Obvious},
    {"Число обусловленности κ∞ не вычислено точно: числа длиннее %1 цифр. Оценка в числах двойной точности: %2 — предупреждение %3.\n", Need::Obvious},
    {"по ней не нужно", Need::Obvious},
    {"по ней нужно", Need::Obvious},
    {"строка %1, столбец %2: записано %3, решалось %4", Need::Obvious},
    {"∞ (обратная матрица не получилась)", Need::Obvious},
    {"Копировать как LaTeX", Need::Help},
    // The steps window's choices and menus.
    {"Метод:", Need::Help},
    {"Метод", Need::Obvious}, // the list's name for a screen reader, after its label
    {"Дроби", Need::Help},
    {"Десятичные", Need::Help},
    {"Закрыть", Need::Help},
    {"Правка", Need::Help},
    {"Выделить всё", Need::Help},
    {"Печать…", Need::Help},
    {"Печать решения по шагам", Need::Obvious},
    {"Сохранить решение по шагам", Need::Obvious},
    {"Сохранить…", Need::Help},
    {"Страница HTML (*.htm *.html);;Текст (*.txt)", Need::Obvious},
    {"решение.htm", Need::Obvious},
    // The about window's own lines say what they are.
    {"Программа предназначена для решения систем уравнений 2-10 порядка.", Need::Obvious},
    {"Создатель", Need::Obvious},
    {"slau %1. Лицензия MIT, её текст: %2", Need::Obvious},
    {"файл LICENSE исходных текстов.", Need::Obvious},
};
// clang-format on

bool hasCyrillic(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04ff)
            return true;
    return false;
}

// The texts of the program's translation calls with Cyrillic in them, each with its context, as
// lupdate wrote them: every <source> of every <context>. lupdate writes a control character such
// as the CR of "\r\n" as <byte value="xd"/>.
QHash<QString, QString> translatedTexts(QIODevice& ts, QString& error) {
    QHash<QString, QString> texts;
    QXmlStreamReader xml(&ts);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            QString text;
            while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != u"source") {
                if (xml.isCharacters())
                    text += xml.text();
                else if (xml.isStartElement() && xml.name() == u"byte") {
                    const QXmlStreamAttributes attributes = xml.attributes();
                    const QStringView value = attributes.value(QLatin1String("value"));
                    text += QChar(value.startsWith(u'x') ? value.mid(1).toUShort(nullptr, 16)
                                                         : value.toUShort());
                }
            }
            if (hasCyrillic(text))
                texts.insert(text, context);
        }
    }
    error = xml.errorString();
    return texts;
}

// The string literals of a C++ source with Cyrillic in them that are not the text of a tr() or
// QCoreApplication::translate() call; comments and character literals are passed over.
QStringList untranslatedLiterals(const QString& src) {
    static const QRegularExpression token(
        QStringLiteral(R"(//[^\n]*|/\*.*?\*/|'(?:[^'\\\n]|\\.)+'|)"
                       R"((\btr\(\s*|\btranslate\(\s*"[^"]*",\s*)?((?:"(?:[^"\\\n]|\\.)*"\s*)+))"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringList found;
    for (const QRegularExpressionMatch& m : token.globalMatch(src))
        if (m.captured(1).isEmpty() && hasCyrillic(m.captured(2)))
            found.append(m.captured(2).trimmed());
    return found;
}

// The page as a reader sees it: without markup, entities resolved, blanks collapsed.
QString pageText(QString html) {
    html.remove(QRegularExpression(QStringLiteral("<style.*?</style>"),
                                   QRegularExpression::DotMatchesEverythingOption));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

// The fixed parts of a message: its lines cut at the placeholders, blanks collapsed, those
// without a word left out.
QStringList fixedParts(QString text) {
    text.replace(QChar(0x00a0), u' ');
    QStringList parts;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        for (const QString& part : line.split(placeholder)) {
            const QString simple = part.simplified();
            if (std::count_if(simple.cbegin(), simple.cend(),
                              [](QChar c) { return c.isLetter(); }) >= 3)
                parts.append(simple);
        }
    }
    return parts;
}

QString sourceRoot() {
    return QStringLiteral(SLAU_SOURCE_DIR);
}

// The program's sources: every .cpp and .h of its folders.
QStringList programSources() {
    QStringList paths;
    for (const char* folder : {"app", "core", "support", "windows"}) {
        QDirIterator it(sourceRoot() + u'/' + QLatin1String(folder),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(it.next());
    }
    return paths;
}

} // namespace

class TestHelpTexts : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void noTextOutsideTranslationCalls();
    void everyTextIsReviewed();
    void reviewedTextsAreInTheProgram();
    void helpPageHoldsTheText_data();
    void helpPageHoldsTheText();
    void licenceIsMit();

  private:
    QSet<QString> programTexts_;
    QHash<QString, QString> contextOf_;
    QString page_;
};

void TestHelpTexts::initTestCase() {
    QFile ts(QStringLiteral(SLAU_PROGRAM_TEXTS));
    QVERIFY2(ts.open(QIODevice::ReadOnly), qPrintable(ts.fileName()));
    QString error;
    contextOf_ = translatedTexts(ts, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    for (auto it = contextOf_.cbegin(); it != contextOf_.cend(); ++it)
        programTexts_.insert(it.key());
    QVERIFY2(programTexts_.size() > 50, "the program's texts were not found in program_texts.ts");
    QFile help(sourceRoot() + QStringLiteral("/data/files/help.htm"));
    QVERIFY(help.open(QIODevice::ReadOnly));
    page_ = pageText(QString::fromUtf8(help.readAll()));
}

// A Russian text written as a plain literal would be shown without lupdate seeing it, and so
// without the review below.
void TestHelpTexts::noTextOutsideTranslationCalls() {
    QStringList plain;
    for (const QString& path : programSources()) {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        for (const QString& literal : untranslatedLiterals(QString::fromUtf8(file.readAll())))
            plain.append(path + QStringLiteral(": ") + literal);
    }
    QVERIFY2(plain.isEmpty(),
             qPrintable(QStringLiteral("outside a translation call:\n") + plain.join(u'\n')));
}

// A text added to the program must be reviewed here: into the help page, or marked as needing
// no explanation.
void TestHelpTexts::everyTextIsReviewed() {
    QSet<QString> known;
    for (const Text& t : reviewed)
        known.insert(QString::fromUtf8(t.text));
    QStringList missing;
    for (const QString& text : programTexts_)
        if (!known.contains(text))
            missing.append(contextOf_.value(text) + QStringLiteral(": ") + text);
    missing.sort();
    // One line each: QtTest cuts a long failure message short.
    for (QString text : missing)
        qWarning(
            "not reviewed: %s",
            qPrintable(
                text.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"))));
    QVERIFY2(missing.isEmpty(), qPrintable(QString::number(missing.size()) +
                                           QStringLiteral(" texts not reviewed (listed above)")));
}

void TestHelpTexts::reviewedTextsAreInTheProgram() {
    QStringList stale;
    for (const Text& t : reviewed)
        if (!programTexts_.contains(QString::fromUtf8(t.text)))
            stale.append(QString::fromUtf8(t.text));
    QVERIFY2(stale.isEmpty(),
             qPrintable(QStringLiteral("no longer in the program:\n") + stale.join(u'\n')));
}

void TestHelpTexts::helpPageHoldsTheText_data() {
    QTest::addColumn<QString>("text");
    for (const Text& t : reviewed)
        if (t.need == Need::Help)
            QTest::newRow(t.text) << QString::fromUtf8(t.text);
}

void TestHelpTexts::helpPageHoldsTheText() {
    QFETCH(QString, text);
    const QStringList parts = fixedParts(text);
    QVERIFY(!parts.isEmpty());
    for (const QString& part : parts)
        QVERIFY2(page_.contains(part), qPrintable(QStringLiteral("help.htm lacks: ") + part));
}

// The about window says the program is under the MIT licence; the licence file says so in full.
void TestHelpTexts::licenceIsMit() {
    QFile licence(sourceRoot() + QStringLiteral("/LICENSE"));
    QVERIFY(licence.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(licence.readAll());
    QVERIFY(text.startsWith(QStringLiteral("MIT License")));
    QVERIFY(text.contains(QStringLiteral("Permission is hereby granted, free of charge")));
    QVERIFY(text.contains(QStringLiteral("THE SOFTWARE IS PROVIDED \"AS IS\"")));
    bool aboutSaysMit = false;
    for (const QString& t : programTexts_)
        aboutSaysMit = aboutSaysMit || t.contains(QStringLiteral("Лицензия MIT"));
    QVERIFY(aboutSaysMit);
    QVERIFY(page_.contains(QStringLiteral("лицензии MIT")));
}

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "test_help_texts.moc"
