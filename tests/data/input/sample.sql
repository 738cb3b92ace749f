-- Orders of the last month with their customers.
CREATE TABLE orders (
    id INTEGER PRIMARY KEY,
    customer VARCHAR(80) NOT NULL,
    placed DATE,
    total DECIMAL(10, 2)
);

/* Only orders above a hundred,
   newest first. */
SELECT o.id, o.customer, o.total
FROM orders o
WHERE o.total > 100 AND o.customer <> 'O''Brien'
ORDER BY o.placed DESC;
