#!/usr/bin/python3
"""Uses the workbook driver through python3-pyodbc as a person's script would: a
table made, rows added by executemany (one execution per row, then one array of
rows), and parameterised queries. Prints what the queries returned as JSON.

Usage: pyodbc_orders.py DSN ROWS (the data source opens its workbook for writing).
"""
import datetime
import json
import sys

import pyodbc

COUNTRIES = ["France", "Germany", "Brazil", "O'Higgins Land?"]


def order(number):
    """The row for order `number`: its id, country, freight and shipping day."""
    return (number, COUNTRIES[number % len(COUNTRIES)], number * 0.25,
            datetime.datetime(1997, 1, 1) + datetime.timedelta(days=number))


def main():
    dsn, count = sys.argv[1], int(sys.argv[2])
    connection = pyodbc.connect("DSN=" + dsn)
    cursor = connection.cursor()
    cursor.execute("CREATE TABLE Orders (OrderID DOUBLE, ShipCountry TEXT, Freight DOUBLE, Shipped DATETIME)")
    cursor.executemany("INSERT INTO Orders VALUES (?, ?, ?, ?)", [order(n) for n in range(1, count + 1)])
    cursor.execute("INSERT INTO Orders (OrderID, ShipCountry) VALUES (?, ?)", count + 1, None)
    cursor.fast_executemany = True
    cursor.executemany("INSERT INTO Orders VALUES (?, ?, ?, ?)", [order(n) for n in range(count + 2, count + 5)])
    cursor.fast_executemany = False
    connection.commit()

    french = cursor.execute("SELECT * FROM Orders WHERE ShipCountry = ? AND OrderID > ?",
                            "France", count - 20).fetchall()
    quoted = cursor.execute("SELECT COUNT(*) FROM Orders WHERE ShipCountry = ?", COUNTRIES[3]).fetchone()[0]
    later = cursor.execute("SELECT COUNT(*) FROM Orders WHERE Shipped >= ?",
                           datetime.datetime(1997, 1, 1) + datetime.timedelta(days=count - 9)).fetchone()[0]
    connection.close()
    json.dump({"french": [[row[0], row[2]] for row in french], "quoted": quoted, "later": later}, sys.stdout)


if __name__ == "__main__":
    main()
